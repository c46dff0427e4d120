#!/usr/bin/env python3
"""The benchmark of corvel and trimmel as whole processes: one table.

  bench/run.py [--only corvel|trimmel] [--runs N] [--bin DIR]
               [--corvel-reference COMMIT] [--trimmel-reference COMMIT]

Builds a release corvel and trimmel (build/bench-release), builds the
reference binaries from the reference commits (build/bench-reference/COMMIT),
generates the inputs (gen_inputs.py), checks every output byte for byte
against the reference binaries' output for the same input, and prints one
Markdown table: instructions (valgrind --tool=callgrind, whole process) and
wall-time medians of corvel on the largest byte-code and native programs in
both modes, corvel's bare start, tcc -c on the same programs as C, and
trimmel's MB/s and instructions per byte with two rule tables, beside cp and
sed, with its time and peak memory at 1x, 2x and 4x the 50 MB input.

--only corvel      the corvel rows alone (bare start and tcc included)
--only trimmel     the trimmel rows alone (cp and sed included)
--runs N           runs per wall-time median of the quick rows (default 21);
                   the trimmel rows take a fifth as many, at least 3
--bin DIR          measure the corvel and trimmel in DIR instead of building
--corvel-reference C    the commit whose corvel outputs count as right
--trimmel-reference C   the same for trimmel; its corvel also writes the
                        assembly that trimmel reads, so that input stays put

Needs cmake, g++, python3, valgrind, tcc (Debian package tcc), git.
"""
import argparse
import hashlib
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# The outputs of these commits are the ones every later build must write:
# for trimmel the last commit before its work on speed, for corvel the last
# commit that changed what corvel writes before its work on speed.
TRIMMEL_REFERENCE = "0bd97451f7ea517833aac04af991c0981ae112ef"
CORVEL_REFERENCE = "5bf47495d3c1f02ad28d68945288bb8597536a65"
ASM_TARGET_BYTES = 50_000_000  # the 1x file: corvel's assembly, repeated


def log(text):
    print(text, file=sys.stderr, flush=True)


def run_quiet(args, cwd=None):
    subprocess.run(args, cwd=cwd, check=True, stdout=subprocess.DEVNULL)


# --- building -------------------------------------------------------------

def build(source, folder, targets):
    run_quiet(["cmake", "-S", source, "-B", folder, "-DCMAKE_BUILD_TYPE=Release",
               "-DCORVEL_TESTS=OFF", "-DCORVEL_BENCH=OFF"])
    run_quiet(["cmake", "--build", folder, "-j2", "--target", *targets])
    return Path(folder) / "bin"


def build_reference(commit, targets):
    """The reference commit's programs, built once from git's copy of it."""
    folder = ROOT / "build" / "bench-reference" / commit
    source = folder / "src"
    if not (source / "CMakeLists.txt").exists():
        archive = subprocess.run(["git", "-C", ROOT, "archive", commit], stdout=subprocess.PIPE)
        if archive.returncode != 0:
            sys.exit(f"the reference commit {commit} is not in this clone: fetch its history or name another "
                     "with --corvel-reference or --trimmel-reference")
        source.mkdir(parents=True, exist_ok=True)
        subprocess.run(["tar", "-x", "-C", source], input=archive.stdout, check=True)
    return build(source, folder / "build", targets)


# --- running --------------------------------------------------------------

MEASURE = ROOT / "build" / "bench-release" / "measure"


def build_measure():
    MEASURE.parent.mkdir(parents=True, exist_ok=True)
    run_quiet(["cc", "-O2", "-o", MEASURE, ROOT / "bench" / "measure.c"])


def spawn(args, cwd, out_path=os.devnull, status=None):
    """Runs args; returns seconds of wall time and peak resident KB. With a
    status given, any other exit status ends the benchmark."""
    result = subprocess.run([MEASURE, out_path, *args], cwd=cwd, check=True, stdout=subprocess.PIPE, text=True)
    nanoseconds, peak, exit_status = result.stdout.split()
    if status is not None and int(exit_status) != status:
        sys.exit(f"{' '.join(map(str, args))} in {cwd} ended with {exit_status}")
    return int(nanoseconds) / 1e9, int(peak)


def instructions(args, cwd):
    """Instructions of the whole process, counted by callgrind."""
    result = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null", *args],
                            cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, errors="replace")
    for line in result.stderr.splitlines():
        if "Collected :" in line:
            return int(line.split(":")[-1])
    raise RuntimeError("callgrind counted nothing for " + " ".join(map(str, args)))


def digest(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def median_run(args, runs, prepare=lambda: None, cwd=None, out_path=os.devnull):
    times, peaks = [], []
    for _ in range(runs):
        prepare()
        seconds, peak = spawn(args, cwd, out_path)
        times.append(seconds)
        peaks.append(peak)
    return statistics.median(times), max(peaks)


# --- the table ------------------------------------------------------------

def shown_instructions(ins):
    """Millions with the digits that tell rows apart; thousands below a million."""
    if ins is None:
        return "-"
    if ins < 1e6:
        return f"{ins / 1e3:,.0f} K"
    return f"{ins / 1e6:,.2f} M" if ins < 10e6 else f"{ins / 1e6:,.1f} M"


class Table:
    HEAD = ["program", "input", "instructions", "per unit", "median time", "MB/s", "peak memory", "output"]

    def __init__(self):
        self.rows = []

    def add(self, program, what, ins=None, per=None, seconds=None, mbs=None, peak_kb=None, check="-"):
        self.rows.append([program, what,
                          shown_instructions(ins),
                          per or "-",
                          f"{seconds * 1000:,.1f} ms" if seconds is not None else "-",
                          f"{mbs:,.1f}" if mbs is not None else "-",
                          f"{peak_kb / 1024:,.1f} MB" if peak_kb is not None else "-",
                          check])
        log("  " + " | ".join(self.rows[-1]))

    def print(self):
        print("| " + " | ".join(self.HEAD) + " |")
        print("|" + "---|" * len(self.HEAD))
        for row in self.rows:
            print("| " + " | ".join(row) + " |")


# --- corvel ---------------------------------------------------------------

def corvel_outputs(corvel, inputs, program, mode, folder):
    """Compiles a fresh copy of the program; returns the files it wrote and its console."""
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copy(inputs / f"{program}.c", folder / "prog.c")
    shutil.copy(inputs / "control.dat", folder)
    spawn([corvel, "prog.c", *mode], folder, folder / "console.txt", status=0)
    return {p.name: p.read_bytes() for p in sorted(folder.iterdir()) if p.name not in ("prog.c", "control.dat")}


def corvel_rows(table, bins, reference, inputs, work, runs):
    corvel = bins / "corvel"
    for program in ("native", "bytecode"):
        lines = len((inputs / f"{program}.c").read_text(encoding="latin-1").splitlines())
        for mode, name in (([ "-a"], "-a"), ([], "byte code")):
            ours = corvel_outputs(corvel, inputs, program, mode, work / "ours")
            right = corvel_outputs(reference / "corvel", inputs, program, mode, work / "reference")
            check = "same" if ours == right else "DIFFERENT"
            ins = instructions([corvel, "prog.c", *mode], work / "ours")
            seconds, peak = median_run([corvel, "prog.c", *mode], runs, cwd=work / "ours")
            table.add(f"corvel {name}", f"{program}.c, {lines} lines", ins, f"{ins / lines:,.0f} / line",
                      seconds, None, peak, check)
    bare_row(table, "corvel", corvel, reference / "corvel", work, runs)
    tcc_rows(table, inputs, work, runs)


def bare_row(table, name, binary, reference, work, runs):
    """The program started without arguments: what every run pays first."""
    spawn([binary], work, work / "ours.txt")
    spawn([reference], work, work / "reference.txt")
    same = (work / "ours.txt").read_bytes() == (work / "reference.txt").read_bytes()
    table.add(f"{name} bare start", "no arguments", instructions([binary], work), None,
              median_run([binary], runs, cwd=work)[0], None, None, "same" if same else "DIFFERENT")


def tcc_rows(table, inputs, work, runs):
    if not shutil.which("tcc"):
        table.add("tcc -c", "tcc not installed (Debian package tcc)")
        return
    for program in ("native", "bytecode"):
        lines = len((inputs / f"{program}.c").read_text(encoding="latin-1").splitlines())
        args = ["tcc", "-c", inputs / f"{program}_tcc.c", "-o", work / "prog.o"]
        ins = instructions(args, work)
        seconds, peak = median_run(args, runs, cwd=work)
        table.add("tcc -c", f"{program}_tcc.c (C of {lines} lines)", ins, f"{ins / lines:,.0f} / line",
                  seconds, None, peak)


# --- trimmel --------------------------------------------------------------

def make_asm(corvel, inputs, work):
    """corvel's own assembly of the native program, and the 1x, 2x and 4x files.
    The reference corvel writes it, so that trimmel's input never moves."""
    outputs = corvel_outputs(corvel, inputs, "native", ["-a"], work / "asm")
    one = outputs["prog.asm"]
    (work / "base.asm").write_bytes(one)
    copies = -(-ASM_TARGET_BYTES // len(one))
    for scale in (1, 2, 4):
        path = work / f"asm{scale}x.asm"
        if not path.exists() or path.stat().st_size != len(one) * copies * scale:
            with open(path, "wb") as f:
                for _ in range(copies * scale):
                    f.write(one)
    return copies


class Trimmel:
    """Runs a trimmel on a hard link of a master file, so the master stays."""

    def __init__(self, binary, folder):
        self.binary, self.folder = binary, folder
        folder.mkdir(parents=True, exist_ok=True)

    def prepare(self, master):
        for name in ("prog.asm", "prog.bak"):
            (self.folder / name).unlink(missing_ok=True)
        os.link(master, self.folder / "prog.asm")

    def args(self, table):
        return [self.binary, table, "prog.asm", "prog.bak"]

    def output_digest(self, table, master):
        self.prepare(master)
        spawn(self.args(table), self.folder, status=0)
        return digest(self.folder / "prog.asm")


def reference_digest(reference, table, master, work):
    """The reference trimmel's output digest, kept beside the input it came from."""
    key = hashlib.sha256((digest(reference / "trimmel") + digest(table) + digest(master)).encode()).hexdigest()
    cache = work / "reference-digests" / key
    if not cache.exists():
        cache.parent.mkdir(exist_ok=True)
        cache.write_text(Trimmel(reference / "trimmel", work / "reference").output_digest(table, master))
    return cache.read_text()


def throughput_row(table, name, args, base, master, runs, prepare=lambda: None, check="-", cwd=None,
                   out_path=os.devnull):
    """Instructions are counted on one copy of the repeated file, time on the whole."""
    size = master.stat().st_size
    base_size = base.stat().st_size
    ins = instructions([a if a != master else base for a in args], cwd)
    seconds, peak = median_run(args, runs, prepare, cwd, out_path)
    table.add(name, f"{size / 1e6:,.1f} MB", ins, f"{ins / base_size:,.1f} / byte", seconds,
              size / 1e6 / seconds, peak, check)


def trimmel_rows(table, bins, reference, inputs, work, runs):
    copies = make_asm(reference / "corvel", inputs, work)
    base, one = work / "base.asm", work / "asm1x.asm"
    log(f"  1x = {copies} copies of corvel -a native.c ({base.stat().st_size:,} bytes)")
    ours = Trimmel(bins / "trimmel", work / "trimmel")
    bare_row(table, "trimmel", bins / "trimmel", reference / "trimmel", work, runs)
    slow_runs = max(3, runs // 5)
    tables = {"300 rules": inputs / "rules300.rul", "corvel.rul": ROOT / "rewriter" / "rules" / "corvel.rul"}
    for name, rules in tables.items():
        check = "same" if ours.output_digest(rules, one) == reference_digest(reference, rules, one, work) else "DIFFERENT"
        ours.prepare(base)
        throughput_row(table, f"trimmel, {name}, 1x", ours.args(rules), base, one, slow_runs,
                       lambda: ours.prepare(one), check, cwd=ours.folder)
    throughput_row(table, "cp", ["cp", one, work / "copy.asm"], base, one, slow_runs)
    throughput_row(table, "sed s/R0/R0/", ["sed", "s/R0/R0/", one], base, one, slow_runs, out_path=work / "sed.asm")
    scaling_rows(table, ours, reference, tables["300 rules"], work, slow_runs)


def scaling_rows(table, ours, reference, rules, work, runs):
    """Time should double with the input and peak memory stay flat."""
    for scale in (2, 4):
        master = work / f"asm{scale}x.asm"
        check = "same" if ours.output_digest(rules, master) == reference_digest(reference, rules, master, work) \
            else "DIFFERENT"
        seconds, peak = median_run(ours.args(rules), runs, lambda: ours.prepare(master), ours.folder)
        size = master.stat().st_size
        table.add(f"trimmel, 300 rules, {scale}x", f"{size / 1e6:,.1f} MB", None, None, seconds,
                  size / 1e6 / seconds, peak, check)


# --- main -----------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--only", choices=["corvel", "trimmel"])
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--bin", type=Path)
    parser.add_argument("--corvel-reference", default=CORVEL_REFERENCE)
    parser.add_argument("--trimmel-reference", default=TRIMMEL_REFERENCE)
    options = parser.parse_args()
    targets = ["corvel", "trimmel"]
    log("building")
    build_measure()
    bins = options.bin.resolve() if options.bin else build(ROOT, ROOT / "build" / "bench-release", targets)
    reference = build_reference(options.trimmel_reference, targets)
    work = ROOT / "build" / "bench-release" / "work"
    inputs = work / "inputs"
    log("generating the inputs")
    subprocess.run([sys.executable, ROOT / "bench" / "gen_inputs.py", "programs", inputs], check=True)
    make_asm(reference / "corvel", inputs, work)
    subprocess.run([sys.executable, ROOT / "bench" / "gen_inputs.py", "rules", inputs, work / "base.asm"], check=True)
    table = Table()
    with tempfile.TemporaryDirectory(dir=work) as scratch:
        if options.only != "trimmel":
            log("corvel")
            corvel_reference = build_reference(options.corvel_reference, ["corvel"])
            corvel_rows(table, bins, corvel_reference, inputs, Path(scratch), options.runs)
        if options.only != "corvel":
            log("trimmel")
            trimmel_rows(table, bins, reference, inputs, work, options.runs)
    table.print()
    if any(row[-1] == "DIFFERENT" for row in table.rows):
        sys.exit("an output differs from the reference")


if __name__ == "__main__":
    main()
