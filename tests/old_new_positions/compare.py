# Compares two trees that run_all.sh wrote with the old and the new program:
# every line that differs must be a minute carried into the degree (FS2004
# "N50* 60.00'", CIVA "N 50*60.0", FSX "N50° 60' 0.00\""), nothing else.
# Usage: compare.py OLD NEW
import sys, re, subprocess, os
out = subprocess.run(['diff','-rq',sys.argv[1],sys.argv[2]],capture_output=True,text=True).stdout
bad = 0; lines_changed = 0
def carried(o, n):
    # FS2004: N50* 60.00' -> N51* 0.00'; CIVA: N 50*60.0 -> N 51*00.0; FSX: N50° 60' 0.00" -> N51° 0' 0.00"
    pats = [(r"([NSEW])(\d+)\* 60\.00'", lambda m, w: f"{m.group(1)}{int(m.group(2))+1:0{w}d}* 0.00'"),
            (r"([NSEW]) (\d+)\*60\.0", lambda m, w: f"{m.group(1)} {int(m.group(2))+1:0{w}d}*00.0"),
            (r"([NSEW])(\d+)° 60' 0\.00\"", lambda m, w: f"{m.group(1)}{int(m.group(2))+1:0{w}d}° 0' 0.00\"")]
    fixed = o
    for pat, rep in pats:
        fixed = re.sub(pat, lambda m: rep(m, len(m.group(2))), fixed)
    return fixed == n
for l in out.splitlines():
    m = re.match(r'Files (.*?) and (.*) differ', l)
    if not m: print('?', l); bad += 1; continue
    a = open(m.group(1), encoding='cp1252', errors='replace').read().splitlines()
    b = open(m.group(2), encoding='cp1252', errors='replace').read().splitlines()
    if len(a) != len(b): print('len', l); bad += 1; continue
    for x, y in zip(a, b):
        if x != y:
            lines_changed += 1
            if not carried(x.replace('Â°','°'), y.replace('Â°','°')):
                bad += 1
                if bad < 15: print(m.group(1)); print(' old', x); print(' new', y)
print('files', len(out.splitlines()), 'lines', lines_changed, 'not carries', bad)
