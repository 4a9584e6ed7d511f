# Random and edge coordinates for the old-against-new comparison.
import random, os
random.seed(20261209)
import sys
out = sys.argv[1]
os.makedirs(out, exist_ok=True)
DEG = '\u00b0'

def dms(h, pos, neg, width):
    hem = neg if h < 0 else pos
    h = abs(h)
    return f'{hem}{h // 360000:0{width}d}{DEG}{h // 6000 % 60:02d}\'{h // 100 % 60:02d}.{h % 100:02d}"'

def edge_values(limit):
    vals = []
    for deg in [0, 1, 48, 50, 89, 179][: (6 if limit == 180 else 5)]:
        for sec_h in [0, 1, 5, 50, 450, 5970, 5975, 5990, 5995, 5999]:
            for minute in [0, 14, 15, 29, 59]:
                v = deg * 360000 + minute * 6000 + sec_h
                if v <= limit * 360000:
                    vals.append(v)
    vals += [limit * 360000, limit * 360000 - 1, 0, 1]
    return vals

lat_edges = edge_values(90)
lon_edges = edge_values(180)
count = 0
def route(name, points):
    global count
    lines = ['Computed route from ALPHA/INTL (EAAA) to BETA FIELD (EBBB)',
             'Cruise altitude between FL330 and FL350']
    ids = ['EAAA'] + [f'P{i:04d}' for i in range(1, len(points) - 1)] + ['EBBB']
    chain = ' > '.join(f'{ids[i]} ({i}) -{"UL602" if i % 3 else "DCT"}-' for i in range(len(ids)))
    lines.append(chain)
    lines += ['Details:', 'ID FREQ TRK DIST Coords Name']
    for i, (la, lo) in enumerate(points):
        freq = ''
        if 0 < i < len(points) - 1:
            freq = random.choice(['', '', '114.30 ', '385 '])
        lines.append(f'{ids[i]} {freq}{random.randint(0,359)} {random.randint(1,99)} {dms(la,"N","S",2)} {dms(lo,"E","W",3)} NAME{i}')
    count += len(points)
    with open(os.path.join(out, name), 'w', encoding='utf-8', newline='\r\n') as f:
        f.write('\n'.join(lines) + '\n')

for k in range(0, len(lat_edges), 60):
    chunk = lat_edges[k:k + 60]
    route(f'edge_lat_{k:04d}.txt', [(v * random.choice([1, -1]), random.choice(lon_edges) * random.choice([1, -1])) for v in chunk])
for k in range(0, len(lon_edges), 60):
    chunk = lon_edges[k:k + 60]
    route(f'edge_lon_{k:04d}.txt', [(random.choice(lat_edges) * random.choice([1, -1]), v * random.choice([1, -1])) for v in chunk])
for k in range(30):
    route(f'random_{k:02d}.txt', [(random.randint(-90 * 360000, 90 * 360000), random.randint(-180 * 360000, 180 * 360000)) for _ in range(60)])

# Plan files: decimal degrees (GPX) and the .pln seconds form, with 59.9995" edges.
def gpx(name, points):
    global count
    body = ''.join(f'<rtept lat="{la}" lon="{lo}"><name>P{i}</name></rtept>' for i, (la, lo) in enumerate(points))
    with open(os.path.join(out, name), 'w') as f:
        f.write(f'<?xml version="1.0"?><gpx version="1.1" creator="t" xmlns="http://www.topografix.com/GPX/1/1"><rte>{body}</rte></gpx>')
    count += len(points)

def rnd_dec(limit):
    return f'{random.uniform(-limit, limit):.{random.choice([2, 4, 6, 8])}f}'
for k in range(10):
    pts = [(rnd_dec(90), rnd_dec(180)) for _ in range(60)]
    pts[1] = ('0', '-0.000001')
    pts[2] = ('50.99999986', '-8.9999999')
    pts[3] = ('-48.2512500', '179.9999999')
    gpx(f'random_{k:02d}.gpx', pts)

def pln(name, points):
    global count
    wps = ''.join(f'<ATCWaypoint id="P{i}"><ATCWaypointType>Intersection</ATCWaypointType><WorldPosition>{p},+000000.00</WorldPosition></ATCWaypoint>' for i, p in enumerate(points))
    with open(os.path.join(out, name), 'w', encoding='utf-8') as f:
        f.write(f'<?xml version="1.0" encoding="UTF-8"?><SimBase.Document Type="AceXML" version="1,0"><FlightPlan.FlightPlan><Title>T</Title>{wps}</FlightPlan.FlightPlan></SimBase.Document>')
    count += len(points)

def pln_angle(hem, deg, minute, sec):
    return f'{hem}{deg}{DEG} {minute}\' {sec}"'
for k in range(6):
    pts = []
    for i in range(60):
        sec = random.choice(['59.9995', '59.9994', '59.995', '0.005', f'{random.uniform(0, 59.99):.4f}'])
        pts.append(pln_angle(random.choice('NS'), random.randint(0, 89), random.choice([59, random.randint(0, 59)]), sec) + ',' +
                   pln_angle(random.choice('EW'), random.randint(0, 179), random.choice([59, random.randint(0, 59)]), sec))
    pln(f'random_{k:02d}.pln', pts)
print('coordinates', count * 2)
