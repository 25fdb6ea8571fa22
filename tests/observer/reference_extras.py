#!/usr/bin/env python3
"""Expected rates, residuals and uncertainties of observer_tests, worked out
apart from the program: the records are read and the straight lines fitted in
exact rational arithmetic; only the cosines, square roots and the arctangent
at the end are floats (far more than two decimals need).

    python3 tests/observer/reference_extras.py tests/observer/fixtures/tracklets-23662-65558.obs 23662 \
        13/11/2025 18:00:00 1 hours 3 0.5

prints the row extras, the residual table and the RMS, each value with its
text at the number of decimals shown, and warns when a value lies within
1e-6 of a rounding boundary (where the two computations could differ)."""
import math
import sys
from datetime import date
from fractions import Fraction as F

EPOCH = date(1899, 12, 30)


def read(line):
    year, month, day = int(line[15:19]), int(line[20:22]), int(line[23:25])
    time = (date(year, month, day) - EPOCH).days + F("0." + line[26:31])
    ra = (int(line[32:34]) + F(int(line[35:37]), 60) + F(line[38:43]) / 3600) * 15
    dec = int(line[45:47]) + F(int(line[48:50]), 60) + F(line[51:55]) / 3600
    if line[44] == "-":
        dec = -dec
    return time, ra, dec, line[77:80]


def fit(ts, ys):
    n = len(ts)
    st, sy = sum(ts), sum(ys)
    stt = sum(t * t for t in ts)
    sty = sum(t * y for t, y in zip(ts, ys))
    slope = (n * sty - st * sy) / (n * stt - st * st)
    return slope, sy / n - slope * st / n


def text(value, decimals, signed=False):
    scaled = abs(value) * 10**decimals
    if abs(scaled - math.floor(scaled) - 0.5) < 1e-6 * 10**decimals:
        print(f"  !! {value!r} is near a rounding boundary", file=sys.stderr)
    rounded = math.floor(scaled + 0.5) / 10**decimals
    body = f"{rounded:.{decimals}f}"
    if value < 0 and rounded != 0:
        return "-" + body
    return ("+" if signed else "") + body


def main():
    path, designation, start_date, start_time, step, unit, count, sigma = sys.argv[1:9]
    lines = [l.rstrip("\r\n") for l in open(path, encoding="latin-1")]
    obs = [read(l) for l in lines if len(l) >= 80 and l[:12].strip() == designation]
    t0 = obs[0][0]
    ts = [o[0] - t0 for o in obs]
    ra0 = obs[0][1]
    ras = [o[1] - 360 * math.floor((o[1] - ra0 + 180) / 360) if abs(o[1] - ra0) > 180 else o[1] for o in obs]
    decs = [o[2] for o in obs]
    b_ra, a_ra = fit(ts, ras)
    b_dec, a_dec = fit(ts, decs)
    print(f"fit: raSlope {float(b_ra)!r} decSlope {float(b_dec)!r} deg/day")

    cosd = lambda d: math.cos(math.radians(float(d)))
    res = [((r - (t * b_ra + a_ra)) * 3600 * F(cosd(d)), (d - (t * b_dec + a_dec)) * 3600)
           for t, r, d in zip(ts, ras, decs)]
    n = len(obs)
    sra = sum(r * r for r, _ in res)
    sdec = sum(d * d for _, d in res)
    print("residuals:")
    for o, (r, d) in zip(obs, res):
        print(f"  {o[3]}  {text(float(r), 2, True)}  {text(float(d), 2, True)}")
    print(f"RMS: RA*cos(Dec) {text(math.sqrt(sra / n), 2)}  Dec {text(math.sqrt(sdec / n), 2)}"
          f"  total {text(math.sqrt((sra + sdec) / n), 2)}")

    floor = F(sigma)
    sig_ra = max(math.sqrt(sra / (n - 2)) if n > 2 else 0, float(floor))
    sig_dec = max(math.sqrt(sdec / (n - 2)) if n > 2 else 0, float(floor))
    mean_t = sum(ts) / n
    sxx = sum((t - mean_t) ** 2 for t in ts)
    mean_cos = sum(cosd(d) for d in decs) / n
    print(f"sigma: RA*cos(Dec) {sig_ra!r} Dec {sig_dec!r}")

    d, m, y = (int(x) for x in start_date.split("/"))
    h, mi, s = (int(x) for x in start_time.split(":"))
    start = (date(y, m, d) - EPOCH).days + F(h * 3600 + mi * 60 + s, 86400)
    step_days = F(int(step)) / {"days": 1, "hours": 24, "minutes": 1440}[unit]
    print("rows:")
    for k in range(int(count) + 1):
        w = start - t0 + k * step_days
        dec_w = w * b_dec + a_dec
        ra_rate = float(b_ra) * cosd(dec_w) * 2.5
        dec_rate = float(b_dec) * 2.5
        pa = math.degrees(math.atan2(ra_rate, dec_rate)) % 360
        factor = math.sqrt(float(F(1, n) + (w - mean_t) ** 2 / sxx))
        u_ra = sig_ra * factor * cosd(dec_w) / mean_cos
        u_dec = sig_dec * factor
        print(f"  k={k}: {text(ra_rate, 2, True)}  {text(dec_rate, 2, True)}  {text(pa, 1)}"
              f"  {text(u_ra, 2)}  {text(u_dec, 2)}")


main()
