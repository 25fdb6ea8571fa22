#!/usr/bin/env python3
"""Expected values of the ephemeris tests, worked out with exact rationals.

This script is where the expected texts and hex-float values in
tests/ephemeris/*_test.cpp and tests/cli/*_test.cpp come from. It does not run
the program: it repeats each formula on Fractions, rounding every
extended-precision operation to a 64-bit significand and every stored
quantity to a 53-bit one (round to nearest, ties to even), in the order the
calculation writes them. Run it by hand:

    python3 tests/ephemeris/reference_listing.py

Where the C++ side leans on a library routine whose last bit this script
cannot promise to match (the extended cosine), the script checks that a few
units in the last place either way leave the printed text unchanged.
"""
from datetime import date, timedelta
from fractions import Fraction as F
import math
import sys

# ------------------------------------------------------------------ rounding


class Overflow(Exception):
    """'Floating point overflow'"""


class InvalidOp(Exception):
    """'Invalid floating point operation'"""


class ZeroDivide(Exception):
    """'Floating point division by zero'"""


class ConvertError(Exception):
    pass


def round_bits(x, bits, emin):
    """x rounded to `bits` significant bits, ties to even; emin is the exponent
    of the smallest normal number (subnormals keep its quantum)."""
    x = F(x)
    if x == 0:
        return F(0)
    sign = -1 if x < 0 else 1
    a = abs(x)
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if F(2) ** e > a:
        e -= 1
    e = max(e, emin)
    quantum = F(2) ** (e - bits + 1)
    scaled = a / quantum
    n = math.floor(scaled)
    rest = scaled - n
    if rest > F(1, 2) or (rest == F(1, 2) and n % 2 == 1):
        n += 1
    return sign * n * quantum


def X(x):
    """One extended-precision operation: round to a 64-bit significand."""
    return round_bits(x, 64, -16382)


def D(x):
    """A store to double (StoreDouble): 53-bit significand, overflow refused."""
    r = round_bits(x, 53, -1022)
    if abs(r) >= F(2) ** 1024:
        raise Overflow()
    return r


def divide(num, den):
    if den == 0:
        raise InvalidOp() if num == 0 else ZeroDivide()
    return X(num / den)


def trunc(x):
    return math.trunc(x)


def hexfloat(x):
    """A double as a C hex-float literal."""
    return float(x).hex()


# ------------------------------------------------------------- constants

PI = F("3.141592653589793238462643383279502884197169399375105820974944592307816")
TWO_PI = X(2 * PI)
DEG_TO_RAD = X(PI / 180)
RAD_TO_DEG = X(180 / PI)
NUDGE = X(F(1, 10 ** 10))
ONE_HOUR = X(F(1, 24))
# The same values as written in anglemath/umath.h.
assert TWO_PI == F(0xc90fdaa22168c235, 2 ** 61)
assert DEG_TO_RAD == F(0x8efa351294e9c8ae, 2 ** 69)
assert RAD_TO_DEG == F(0xe52ee0d31e0fbdc3, 2 ** 58)

# --------------------------------------------------------- text conversions

EPOCH = date(1899, 12, 30)


def text_to_integer(text):
    body = text.lstrip(" ")
    digits = body[1:] if body[:1] in "+-" else body
    if not digits or not digits.isdigit() or not digits.isascii():
        raise ConvertError(f"'{text}' is not a valid integer value")
    value = int(body)
    if not -2 ** 31 <= value < 2 ** 31:
        raise ConvertError(f"'{text}' is not a valid integer value")
    return value


def text_to_decimal(text):
    try:
        value = F(text.strip(" "))
    except ValueError:
        raise ConvertError(f"'{text}' is not a valid floating point value")
    return X(value)


def text_to_date(text):
    parts = text.split("/")
    try:
        day, month, year = (int(p) for p in parts)
        return F((date(year, month, day) - EPOCH).days)
    except ValueError:
        raise ConvertError(f"'{text}' is not a valid date")


def text_to_time(text):
    h, m, s = (int(p) for p in text.split(":"))
    exact = F(h * 3600000 + m * 60000 + s * 1000, 86400000)
    # Whether the conversion divides in extended or exactly, the double agrees.
    assert D(exact) == D(X(exact))
    return D(exact)


# -------------------------------------------------------------- formatting


def eighteen_digits(value):
    """|value| expressed with 18 significant digits, rounded to nearest."""
    a = abs(F(value))
    if a == 0:
        return F(0)
    e = len(str(math.floor(a))) - 1 if a >= 1 else -len(str(math.floor(1 / a)))
    while F(10) ** e > a:
        e -= 1
    while F(10) ** (e + 1) <= a:
        e += 1
    quantum = F(10) ** (e - 17)
    scaled = a / quantum
    n = math.floor(scaled)
    assert scaled - n != F(1, 2), "a tie at 18 digits"
    if scaled - n > F(1, 2):
        n += 1
    return n * quantum


def format_number(pattern, value):
    """Patterns of the form 0..0[.0..0]<literal tail>, as the listing uses them."""
    head = pattern.rstrip(" hms\"'\xb0")
    tail = pattern[len(head):]
    whole_places, _, decimals = head.partition(".")
    places = len(decimals)
    d = eighteen_digits(value)
    scaled = d * 10 ** places
    n = math.floor(scaled + F(1, 2))  # halves away from zero (d >= 0)
    sign = "-" if value < 0 and n != 0 else ""
    whole, frac = divmod(n, 10 ** places)
    text = str(whole).rjust(len(whole_places), "0")
    if places:
        text += "." + str(frac).rjust(places, "0")
    return sign + text + tail


def format_datetime(pattern, value):
    ms_exact = F(value) * 86400000
    ms = math.floor(ms_exact)
    rest = ms_exact - ms
    if rest > F(1, 2) or (rest == F(1, 2) and ms % 2 == 1):
        ms += 1
    # Away from a half millisecond, however the product is carried.
    assert abs(rest - F(1, 2)) > F(1, 1000), "a row time near half a millisecond"
    days, ms_of_day = divmod(ms, 86400000)
    try:
        d = EPOCH + timedelta(days=days)
    except OverflowError:
        raise ConvertError("date out of range")
    if not 1 <= d.year <= 9999:
        raise ConvertError("date out of range")
    text = f"{d.day:02d}/{d.month:02d}/{d.year:04d}"
    if pattern == "dd/mm/yyyy hh:mm:ss":
        hh, rest_ms = divmod(ms_of_day, 3600000)
        mm, rest_ms = divmod(rest_ms, 60000)
        text += f" {hh:02d}:{mm:02d}:{rest_ms // 1000:02d}"
    return text


# ---------------------------------------------------------------- angles


def normalize_angle(a):
    while a > TWO_PI:
        a = X(a - TWO_PI)
    while a < 0:
        a = X(a + TWO_PI)
    return a


def cos_exact(x):
    """cos x within 2^-240 (Taylor series in 256-bit fixed point; |x| is a few radians)."""
    scale = 2 ** 256
    xs = math.floor(x * scale)
    x2 = xs * xs // scale
    term, total, k = scale, 0, 0
    while term != 0:
        total += term
        k += 2
        term = -(term * x2 // scale) // (k * (k - 1))
    return F(total, scale)


def cos_deg(degrees, ulps=0):
    product = X(F(degrees) * DEG_TO_RAD)
    c = X(cos_exact(product))
    return c + ulps * F(2) ** (c.numerator.bit_length() - c.denominator.bit_length() - 64)


def sqrt_ext(a):
    """Correctly rounded extended square root (fsqrt)."""
    if a == 0:
        return F(0)
    k = 200
    n = math.floor(a * 4 ** k)
    s = math.isqrt(n)
    root = F(s, 2 ** k)
    if s * s != a * 4 ** k:
        root += F(1, 2 ** (k + 1))  # strictly between s and s + 1
    return X(root)


def sexagesimal(value):
    whole = trunc(value)
    minutes = D(X(X(value - whole) * 60))
    whole_minutes = trunc(minutes)
    seconds = D(X(X(minutes - whole_minutes) * 60))
    return whole, whole_minutes, seconds


def write_fields(whole, minutes, seconds, seconds_pattern):
    """The three fields; seconds that the pattern writes as 60 are written 0
    and carried into the minutes and on into the whole units, as the angle
    texts do (anglemath/sexagesimal.h)."""
    text = format_number(seconds_pattern, seconds)
    if text == format_number(seconds_pattern, 60):
        text = format_number(seconds_pattern, 0)
        minutes += 1
        if minutes == 60:
            minutes, whole = 0, whole + 1
    return format_number("00 ", whole) + format_number("00 ", minutes) + text


def ra_to_text(radians):
    a = D(normalize_angle(F(radians)))
    hours = D(X(X(X(a * RAD_TO_DEG) / 15) + NUDGE))
    return write_fields(*sexagesimal(hours), "00.0")


def dec_to_text(radians):
    degrees = D(X(X(F(radians) * RAD_TO_DEG) + NUDGE))
    sign = "+" if degrees >= 0 else "-"
    return sign + write_fields(*sexagesimal(abs(degrees)), "00")


# ------------------------------------------------------------ the reader


def columns(line, first, last):
    return line[first - 1:last]


def read_observation(line):
    fraction = text_to_decimal("0." + columns(line, 27, 31))
    day = text_to_date(columns(line, 24, 25) + "/" + columns(line, 21, 22) + "/" + columns(line, 16, 19))
    time = D(X(day + fraction))
    ra_hours = text_to_integer(columns(line, 33, 34))
    ra_minutes = text_to_integer(columns(line, 36, 37))
    partial = X(ra_hours + X(F(ra_minutes) / 60))
    ra_seconds = text_to_decimal(columns(line, 39, 43))
    hours = D(X(partial + X(ra_seconds / 3600)))
    ra = D(X(hours * 15))
    dec_degrees = text_to_integer(columns(line, 46, 47))
    dec_minutes = text_to_integer(columns(line, 49, 50))
    partial = X(dec_degrees + X(F(dec_minutes) / 60))
    dec_seconds = text_to_decimal(columns(line, 52, 55))
    dec = D(X(partial + X(dec_seconds / 3600)))
    if columns(line, 45, 45) == "-":
        dec = -dec
    return time, ra, dec


def read_designation(line):
    return line[:12].strip("".join(chr(c) for c in range(33)))


# --------------------------------------------------------------- the fit


def unwrap(ra, reference):
    """ra moved by whole turns into (reference - 180, reference + 180]."""
    k = math.ceil((ra - reference - 180) / 360)
    return D(X(ra - 360 * k))


def fit_motion(t0, observations, unwrap_ra=True):
    n = 0
    st = sa = sat = stt = sd = sdt = F(0)
    first_ra = observations[0][1]
    for time, ra, dec in observations:
        if unwrap_ra:
            ra = unwrap(ra, first_ra)
        t = D(X(time - t0))
        st = D(X(st + t))
        sa = D(X(sa + ra))
        sat = D(X(X(ra * t) + sat))
        stt = D(X(X(t * t) + stt))
        sd = D(X(sd + dec))
        sdt = D(X(X(dec * t) + sdt))
        n += 1
    den = X(X(n * stt) - X(st * st))
    b_ra = D(divide(X(X(n * sat) - X(st * sa)), den))
    a_ra = D(X(X(sa / n) - X(X(b_ra * st) / n)))
    b_dec = D(divide(X(X(n * sdt) - X(st * sd)), den))
    a_dec = D(X(X(sd / n) - X(X(b_dec * st) / n)))
    return t0, b_ra, a_ra, b_dec, a_dec


# --------------------------------------------------------------- the run

SPEED_TEXT_SHIFTS = (-4, -1, 0, 1, 4)


def speed_line(start, fit):
    t0, b_ra, a_ra, b_dec, a_dec = fit
    d1 = D(X(start - t0))
    ra1, dec1 = D(X(X(d1 * b_ra) + a_ra)), D(X(X(d1 * b_dec) + a_dec))
    d2 = D(X(d1 + ONE_HOUR))
    ra2, dec2 = D(X(X(d2 * b_ra) + a_ra)), D(X(X(d2 * b_dec) + a_dec))
    texts = set()
    for shift in SPEED_TEXT_SHIFTS:
        c = cos_deg(dec1, shift)
        p = X(c * X(ra1 - ra2))
        q = X(p * p)
        e = X(dec1 - dec2)
        v = D(X(60 * sqrt_ext(X(X(e * e) + q))))
        texts.add(format_number("0.00", v))
    assert len(texts) == 1, "the speed text hangs on the cosine's last bits"
    return 'Velocidad aparente: ' + texts.pop() + ' "/min'


def calculate(lines, start_date, start_time, step_text, count_text, unit, heading_sets_t0=False):
    """The listing as a list of lines; an error ends it as (lines so far, error)."""
    out = []
    observations = [read_observation(line) for line in lines if len(line) >= 80]
    if len(observations) < 2:
        return ["<dialog> Se necesitan al menos dos observaciones"], None
    designation = read_designation(lines[0])
    if heading_sets_t0:  # the unsound origin of the old program, for comparison only
        t0 = observations[0][0] if len(lines[0]) >= 80 else F(0)
    else:
        t0 = observations[0][0]
    fit = fit_motion(t0, observations, unwrap_ra=not heading_sets_t0)
    start = D(X(text_to_date(start_date) + text_to_time(start_time)))
    step = F(text_to_integer(step_text))
    if unit == "hours":
        step = D(X(step / 24))
    elif unit == "minutes":
        step = D(X(X(step / 24) / 60))
    else:
        step = D(step)
    out.append(speed_line(start, fit))
    out.append("")
    try:
        count = text_to_integer(count_text)
        _, b_ra, a_ra, b_dec, a_dec = fit
        for k in range(count + 1):
            w = D(X(X(start - t0) + X(k * step)))
            ra, dec = D(X(X(w * b_ra) + a_ra)), D(X(X(w * b_dec) + a_dec))
            ra_rad, dec_rad = D(X(ra * DEG_TO_RAD)), D(X(dec * DEG_TO_RAD))
            time = D(X(X(k * step) + start))
            out.append(designation + "  " + format_datetime("dd/mm/yyyy hh:mm:ss", time) + "  " +
                       ra_to_text(ra_rad) + "  " + dec_to_text(dec_rad))
    except ConvertError as error:
        return out, error
    out += ["", "Trasel (09/01/2011-b)", "https://trasel.example.org/"]
    return out, None


# -------------------------------------------------------------- fixtures

# Smithsonian/mpc-public, digest2/digest2/three-hr-tracklets.obs (public
# domain), the last five lines: one tracklet of 2025 Nov 13 from station D29.
K21V32W = [
    "     K21V32W  C2025 11 13.60310502 57 02.17 +22 27 31.0          20.5 RV~9JkpD29",
    "     K21V32W  C2025 11 13.61724602 57 01.25 +22 27 30.2          20.4 RV~9JkpD29",
    "     K21V32W  C2025 11 13.71580502 56 54.86 +22 27 22.1          20.6 RV~9JkpD29",
    "     K21V32W  C2025 11 13.72994602 56 53.96 +22 27 20.9          20.1 RV~9JkpD29",
    "     K21V32W  C2025 11 13.74408702 56 53.04 +22 27 19.5          20.4 RV~9JkpD29",
]


def record(designation, when, ra, dec):
    """An 80-column record: when 'YYYY MM DD.ddddd', ra 'HH MM SS.dd', dec 'sDD MM SS.d'."""
    line = f"{designation:<12}  C{when} {ra} {dec}          18.0 V      D29"
    assert len(line) == 80, len(line)
    return line


def show(title, lines):
    print(f"== {title}")
    for line in lines:
        print(line)
    print()


def show_run(title, lines, *settings, **options):
    listing, error = calculate(lines, *settings, **options)
    show(title + (f"  [ends with {error!r}]" if error else ""), listing)
    return listing


def main():
    # The reader, bit for bit.
    print("== reader: Time, RightAscension, Declination as hex floats")
    reader_lines = {
        "fixture first line": K21V32W[0],
        "half day, minus half degree": record("", "2011 01 09.50000", "00 00 00.00", "-00 30 00.0"),
        "23 59 60.00": record("", "2011 01 09.00000", "23 59 60.00", "+00 00 00.0"),
    }
    for name, line in reader_lines.items():
        print(name, *(hexfloat(v) for v in read_observation(line)))
    print()

    # The fit, bit for bit.
    print("== fit: T0, RaSlope, RaIntercept, DecSlope, DecIntercept as hex floats")
    two = [read_observation(record("", "2011 01 09.25000", "05 00 00.00", "+10 00 00.0")),
           read_observation(record("", "2011 01 09.75000", "05 02 00.00", "+09 30 00.0"))]
    print("two observations", *(hexfloat(v) for v in fit_motion(two[0][0], two)))
    across = [read_observation(record("", "2011 01 09.00000", "23 59 00.00", "+00 00 00.0")),
              read_observation(record("", "2011 01 10.00000", "00 01 00.00", "+00 00 00.0"))]
    print("across 0h", *(hexfloat(v) for v in fit_motion(across[0][0], across)))
    print("across 0h as read", *(hexfloat(v) for v in fit_motion(across[0][0], across, unwrap_ra=False)))
    # All at one time against an origin of 0: the denominator is 0, and the
    # numerator's roundings decide which error.
    for ra1, ra2 in [(0.1, 0.2), (0.1, 0.7)]:
        same = [(F(3), D(F(ra1)), F(0)), (F(3), D(F(ra2)), F(0))]
        try:
            fit_motion(F(0), same)
        except (InvalidOp, ZeroDivide) as error:
            print(f"RA {ra1} and {ra2}, both at time 3, origin 0:", type(error).__name__)
    print()

    print("== unwrap")
    for ra, ref in [(359.5, 0.5), (0.5, 359.5), (190, 10), (-170, 10), (720.25, 0), (360, 359),
                    (1e299, 10), (-1e299, 0), (5, 1e300)]:
        print(ra, ref, hexfloat(unwrap(F(ra), F(ref))))
    print()

    initial = ("14/11/2025", "00:00:00", "01", "048", "hours")
    show_run("fixture, initial settings", K21V32W, *initial)
    show_run("fixture, count 000", K21V32W, "14/11/2025", "00:00:00", "01", "000", "hours")
    show_run("fixture, step 00", K21V32W, "14/11/2025", "00:00:00", "00", "002", "hours")
    show_run("fixture, days", K21V32W, "14/11/2025", "06:30:00", "01", "002", "days")
    show_run("fixture, minutes", K21V32W, "14/11/2025", "06:30:00", "01", "002", "minutes")
    show_run("fixture, 13/11/2025 14:24:00 (at the first observation)", K21V32W,
             "13/11/2025", "14:24:00", "01", "001", "hours")
    show_run("fixture, bad count", K21V32W, "14/11/2025", "00:00:00", "01", "abc", "hours")

    ten_minutes = [record("", "2011 01 09.50000", "10 00 00.00", "+20 00 00.0"),
                   record("", "2011 01 09.50694", "10 00 00.70", "+20 00 00.0")]
    heading = ["Two records ten minutes apart"] + ten_minutes
    settings = ("09/01/2011", "12:00:00", "48", "000", "hours")
    show_run("ten minutes apart", ten_minutes, *settings)
    show_run("ten minutes apart under a heading", heading, *settings)
    show_run("ten minutes apart under a heading, origin 0 (old)", heading, *settings, heading_sets_t0=True)

    crossing = [record("", "2011 01 09.00000", "23 59 00.00", "+00 00 00.0"),
                record("", "2011 01 10.00000", "00 01 00.00", "+00 00 00.0")]
    show_run("across 0h", crossing, "09/01/2011", "00:00:00", "08", "004", "hours")

    for name, dec_a, ra_b, dec_b in [("1 deg/day in RA at Dec 0", "+00 00 00.0", "00 04 00.00", "+00 00 00.0"),
                                     ("1 deg/day in RA at Dec 60", "+60 00 00.0", "00 04 00.00", "+60 00 00.0"),
                                     ("1 deg/day in Dec", "+00 00 00.0", "00 00 00.00", "+01 00 00.0")]:
        lines = [record("", "2011 01 09.00000", "00 00 00.00", dec_a), record("", "2011 01 10.00000", ra_b, dec_b)]
        show_run(name, lines, "09/01/2011", "00:00:00", "01", "000", "hours")

    still = [record("", "2011 01 09.00000", "05 00 00.00", "+10 00 00.0"),
             record("", "2011 01 10.00000", "05 00 00.00", "+10 00 00.0")]
    show_run("still object, near the end of year 9999", still, "30/12/9999", "00:00:00", "01", "003", "days")
    return 0


if __name__ == "__main__":
    sys.exit(main())
