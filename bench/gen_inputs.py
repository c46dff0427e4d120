#!/usr/bin/env python3
"""Writes the benchmark's inputs into a folder.

  gen_inputs.py programs FOLDER      control.dat, bytecode.c, native.c and
                                     their C translations for tcc
  gen_inputs.py rules FOLDER ASM     rules300.rul: 301 rules over 1 to 9
                                     lines, cut from the assembly ASM

Everything is derived from fixed seeds, so two runs write the same bytes.
"""
import random
import re
import sys
from pathlib import Path

BOARD = """; Generated board: data bus, address lines, control lines and supplies.
#1 10
#2 11
#3 12
#4 13
#5 14
#6 15
#7 16
#8 17
#9 20
#10 21
#11 22
#12 23
#VPP1 40
#VCC1 42
#GND1 50
[Board1]
#CVPP 5.0 40
#CVPP 12.5 100
#CVPP 21.0 168
#CVCC 5.0 64
#CVCC 6.25 80
"""

GLOBALS = """#port BUS "1,2,3,4,5,6,7,8"
#port CTRL "P50,P51,9"
#define STEP 3
BYTE b, c = 1, bytes[8] = {1, 2, 3};
WORD w, v = 300;
WORD words[4] = {10, 20};
BYTE text[] = "hi";
BYTE stamp[6], buf[16];
"""

# Every statement and operand kind, then every built-in service. {k} is a
# small constant that changes from copy to copy, {n} a unique number.
STATEMENTS = [
    "b = {k};",
    "w = 300 + {k};",
    "v = w + b * 2 - c / 3 % 4;",
    "w = (v << 2) | (v >> 1) & 0xFF;",
    "w = ~v;",
    "b = !c;",
    "b = b == c || b != c && b < c;",
    "b = b <= c;",
    "b = b > c;",
    "b = b >= STEP;",
    "BUS = 0x55;",
    "BUS.dir = 0;",
    "w = BUS;",
    "w = CTRL.dir;",
    "CTRL15.dir = 1;",
    "#10 = 1;",
    "#P60 = 0;",
    "#Vpp1 = 1;",
    "b = #11 + #P61 + CTRL15;",
    "bytes[2] = {k};",
    "bytes[b] = bytes[3];",
    "bytes[w] = bytes[c];",
    "bytes[BUS] = 1;",
    "words[1] = words[2];",
    "words[b] = words[w];",
    "words[BUS] = w;",
    "if (b) c = {k};",
    "if (b > 2) {{ c = 2; }} else {{ c = 3; }}",
    "while (b < 10) {{ b = b + 1; if (b == 4) continue; if (b == 8) break; }}",
    "do {{ c = c - 1; }} while (c);",
    "goto skip{n};",
    "skip{n}: ;",
]

BUILTINS = [
    "InitIo();", "InitVolt();", "VppVolt(12.5);", "VccVolt(5);", "VccVolt(w);",
    "Pulse(CTRL15);", "Pulse(#10);", "Pulse(BUS);", "Pulse(b);",
    "Inc(b);", "Inc(w);", "Dec(b);", "Dec(w);", "Clear(b);", "Clear(w);", "Clear(CTRL);",
    "DataDump(b);", "w = GetTimer();", "SetTimer(1, 1000);", "w = SetTimer(w, v);",
    "StartDump(0, 16, 1);", "EndDump();", "SendByte(0x41);", "SendWord(w);", "SendHex(b);",
    "SendCode(300);", "StartMsg();", "SendMsg(\"ready\");", "SendNum2Str(b, w);", "EndMsg();",
    "Message(\"done\");", "w = RecByte();", "w = NwRecByte();", "DataReq(1, w, v, buf, v);",
    "w = DataReq(w, v, w, buf, v);", "Wait(0, 100);", "w = Wait(b, c);", "mset(buf, 16, 0);",
    "b = mget(buf, 2);", "w = mgetw(buf, 4);", "w = GetClock();", "SetClock(b);",
    "w = SetClock(v);", "w = WaitExecEvent();", "ee_write(0, 16, b);", "b = ee_write(0, 16);",
    "b = ee_read(4);", "b = ee_read(4, c);", "b = ee_prog();", "ClockStart();", "ClockStop();",
    "w = time_set(stamp, 1);", "w = time_set(stamp, b, c);", "w = time_get(stamp, 2);",
    "w = time_cmp(stamp, stamp);", "w = time_update(stamp);", "w = time_update(stamp, 3);",
    "time_rstcarry(stamp);", "memcpy(buf, stamp, 6);", "return();", "exit(0);",
]

# What tcc needs to take the same program text as C.
C_PRELUDE = """typedef unsigned char BYTE;
typedef unsigned short WORD;
WORD BUS, BUS_dir, CTRL, CTRL_dir;
BYTE CTRL15, CTRL15_dir, CTRL14, CTRL14_dir, CTRL13, CTRL13_dir;
BYTE pin_10, pin_11, pin_P60, pin_P61, pin_Vpp1;
WORD Pulse(), Inc(), Clear(), Dec(), DataDump(), GetTimer(), SetTimer(), StartDump();
WORD EndDump(), exit(), SendByte(), SendWord(), SendHex(), SendCode(), SendMsg(), EndMsg();
WORD SendNum2Str(), InitIo(), VppVolt(), VccVolt(), RecByte(), NwRecByte(), DataReq(), Wait();
WORD mset(), mget(), time_get(), time_update(), memcpy(), mgetw(), GetClock(), SetClock();
WORD WaitExecEvent(), Message(), ee_write(), ee_read(), ee_prog(), ClockStart(), ClockStop();
WORD InitVolt(), time_set(), time_cmp(), time_rstcarry(), StartMsg();
"""


class Statements:
    """Hands out the statement kinds in turn, each copy a little different."""

    def __init__(self, kinds):
        self.kinds = kinds
        self.next = 0
        self.copies = 0

    def take(self):
        text = self.kinds[self.next].format(k=self.copies % 7 + 1, n=self.copies)
        self.next += 1
        if self.next == len(self.kinds):
            self.next = 0
            self.copies += 1
        return text

    def take_goto(self):
        """A goto and its label stay in one function."""
        first = self.take()
        return [first, self.take()] if first.startswith("goto") else [first]


def function(name, statements, count):
    lines = [f"{name}()", "{"]
    taken = 0
    while taken < count:
        group = statements.take_goto()
        lines += ["    " + s for s in group]
        taken += len(group)
    return lines + ["}", ""]


def program(frames, functions_per_frame, base_functions, statements_per_function, tail_statements, kinds):
    """main in frame 0 calls every other function; frames after 0 are overlays,
    each with functions_per_frame functions; frame 0 has base_functions."""
    statements = Statements(kinds)
    counts = [base_functions] + [functions_per_frame] * (frames - 1)
    names = [f"f{f}_{i}" for f in range(frames) for i in range(counts[f])]
    lines = ["Generated benchmark program.", "[CODE]"] + GLOBALS.splitlines() + [""]
    lines += ["main()", "{"] + [f"    {name}();" for name in names]
    lines += ["    " + statements.take() for _ in range(tail_statements)] + ["}", ""]
    for f in range(frames):
        if f > 0:
            lines += ["#frame", ""]
        for i in range(counts[f]):
            lines += function(f"f{f}_{i}", statements, statements_per_function)
    return "\n".join(lines), ["main"] + names


def as_c(source, names):
    """The same program as C: ports, pins and frames become plain names."""
    body = source.split("[CODE]\n", 1)[1]
    out = [C_PRELUDE] + [f"void {name}(void);" for name in names]
    for line in body.splitlines():
        if line.startswith("#port") or line.startswith("#frame"):
            continue
        if not line.startswith("#define"):
            line = re.sub(r"#(\w+)", r"pin_\1", line)
            line = line.replace(".dir", "_dir").replace("return();", "return;")
            line = re.sub(r"^(\w+)\(\)$", r"void \1(void)", line)
        out.append(line)
    return "\n".join(out) + "\n"


def write_programs(folder):
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "control.dat").write_text(BOARD)
    # Sizes found by compiling: just under 3500 bytes, and near 30000 bytes
    # in 16 frames (frame 0 and 15 overlays) of 6 functions each.
    kinds = STATEMENTS + BUILTINS
    plans = {"bytecode": (1, 0, 11, 31, 30), "native": (16, 6, 2, 35, 20)}
    for name, plan in plans.items():
        source, names = program(*plan, kinds)
        (folder / f"{name}.c").write_text(source + "\n")
        (folder / f"{name}_tcc.c").write_text(as_c(source, names))


# --- rules ---------------------------------------------------------------

NUMBER = re.compile(r"(?<![A-Za-z0-9_.])[0-9][0-9A-Fa-f]*[Hh]?")


def instruction_lines(asm_text):
    """The lines of corvel's code: instructions only, no comments or labels."""
    return [line for line in asm_text.splitlines() if line.startswith("\t") and not line.startswith("\t.")]


def one_number_at_most(lines):
    return sum(len(NUMBER.findall(line)) for line in lines) <= 1


def mutate(line, rng):
    """A line in corvel's shape that corvel does not write this way."""
    return line.replace("R0", rng.choice(["R3", "R4", "E5"]), 1) if "R0" in line else line + "X"


def action(lines, rng):
    """A delete, or one or two replacement lines, maybe with the number filled in."""
    kind = rng.random()
    if kind < 0.3:
        return ["d:"]
    text = [f"c:{lines[-1]}"]
    if kind > 0.7:
        text.insert(0, "c:\tNOP\t; kept")
    return text


def rule(rng, code, length):
    """A window of corvel's code, some made not to match, with its actions."""
    for _ in range(1000):
        start = rng.randrange(len(code) - length)
        lines = code[start:start + length]
        if one_number_at_most(lines):
            break
    if rng.random() < 0.5:
        at = rng.randrange(length)
        lines = lines[:at] + [mutate(lines[at], rng)] + lines[at + 1:]
    text = [f"o:{line}" for line in lines]
    if NUMBER.search("".join(lines)):
        bindings = ["#NUM = *"] if rng.random() < 0.6 else [f"#NUM = {NUMBER.search(''.join(lines)).group(0)}", "#NUM = *"]
        for binding in bindings:
            acts = action(lines, rng)
            if acts[0].startswith("c:") and rng.random() < 0.5:
                acts = [NUMBER.sub("#NUM", acts[0], 1)] + acts[1:]
            text += [binding] + acts
    else:
        text += action(lines, rng)
    return text + ["#END", ""]


def write_rules(folder, asm_path):
    rng = random.Random(20240915)
    code = instruction_lines(Path(asm_path).read_text(encoding="latin-1"))
    rules = [";Generated: 301 rules of 1 to 9 lines in the shapes corvel writes.", ""]
    seen = set()
    count = 0
    while count < 301:
        length = count % 9 + 1
        text = rule(rng, code, length)
        pattern = tuple(NUMBER.sub("#", line) for line in text if line.startswith("o:"))
        if pattern in seen:
            continue
        seen.add(pattern)
        rules += text
        count += 1
    (Path(folder) / "rules300.rul").write_text("\n".join(rules) + "\n", encoding="latin-1")


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "programs":
        write_programs(Path(sys.argv[2]))
    elif len(sys.argv) >= 4 and sys.argv[1] == "rules":
        write_rules(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
