
 RTS
