[CODE]
#port P "3"
