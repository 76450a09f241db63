#!/usr/bin/env python3
"""Reference answers for FinancialFunctionsTest.cpp.

Each case is computed with mpmath at 50 digits from the spreadsheet formulas
(FV, PV, PMT, IPMT, PPMT, NPER, RATE, IRR, NPV, SLN, SYD, DDB), written here
independently of the engine, with the calculator's conventions: rates in
percent, the payment-time flag read from its low 8 bits (1 alone means the
start for FVal..PVAL, anything but 0 for IRate and NPV), NPer rounded to a
whole number. The answer is printed as the calculator shows it: 13
significant digits, fixed notation from 1E-5 up to below 1E15.

Run it and paste its rows into the tables; a row marked AMBIGUOUS lies so
close to a rounding boundary of the 13th digit that it cannot be checked.
"""
from mpmath import mp, mpf, log

mp.dps = 50


def num(x):
    """A number as the expression text writes it: decimal, not binary."""
    return mpf(str(x)) if isinstance(x, float) else mpf(x)


def exact(function):
    def wrapper(*args, **keywords):
        return function(*[a if isinstance(a, (list, bool)) else num(a) for a in args], **keywords)

    return wrapper


def start_if_one(t):
    return (int(t) & 0xFF) == 1


def start_unless_zero(t):
    return (int(t) & 0xFF) != 0


def low32(n):
    n = int(n) & 0xFFFFFFFF
    return n - (1 << 32) if n >= 1 << 31 else n


@exact
def fv(rate, n, pmt, pv, t):
    r, n, s = mpf(rate) / 100, low32(n), start_if_one(t)
    if r == 0:
        return -pv - pmt * n
    c = (1 + r) ** n
    return -pv * c - pmt * (1 + r * s) * (c - 1) / r


@exact
def pv(rate, n, pmt, fv_, t):
    r, n, s = mpf(rate) / 100, low32(n), start_if_one(t)
    if r == 0:
        return -fv_ - pmt * n
    c = (1 + r) ** n
    return (-fv_ - pmt * (1 + r * s) * (c - 1) / r) / c


@exact
def pmt(rate, n, pv_, fv_, t):
    r, n, s = mpf(rate) / 100, low32(n), start_if_one(t)
    if r == 0:
        return (-pv_ - fv_) / n
    c = (1 + r) ** n
    return (-pv_ * c - fv_) * r / ((1 + r * s) * (c - 1))


def balance(r, k, payment, pv_):
    """What is owed after k payments at the end of each period."""
    if r == 0:
        return pv_ + payment * k
    c = (1 + r) ** k
    return pv_ * c + payment * (c - 1) / r


@exact
def ipmt(rate, k, n, pv_, fv_, t):
    # Payments at the end only: at the start the two conventions differ.
    assert not start_if_one(t)
    r = mpf(rate) / 100
    return -balance(r, k - 1, pmt(rate, n, pv_, fv_, t), pv_) * r


@exact
def ppmt(rate, k, n, pv_, fv_, t):
    return pmt(rate, n, pv_, fv_, t) - ipmt(rate, k, n, pv_, fv_, t)


@exact
def nper(rate, payment, pv_, fv_, t):
    r, s = mpf(rate) / 100, start_if_one(t)
    if r == 0:
        return -(pv_ + fv_) / payment
    p = payment * (1 + r * s)
    return log((p - fv_ * r) / (p + pv_ * r)) / log(1 + r)


def root(f, low, high):
    """The root of f between low and high, by bisection to far below 13 digits."""
    low, high = mpf(low), mpf(high)
    assert (f(low) > 0) != (f(high) > 0), "no sign change"
    for _ in range(200):
        middle = (low + high) / 2
        if (f(middle) > 0) == (f(low) > 0):
            low = middle
        else:
            high = middle
    return (low + high) / 2


@exact
def rate(n, payment, pv_, fv_, t, low=-0.5, high=1):
    s = start_unless_zero(t)

    def f(r):
        if r == 0:
            return pv_ + payment * n + fv_
        d = (1 + r) ** -n  # the present-value form stays well scaled
        return pv_ + payment * (1 + r * s) * (1 - d) / r + fv_ * d

    return root(f, low, high) * 100


def flow(c):
    """Cash flows are kept in double precision, in the engine as in a spreadsheet."""
    return mpf(float(c))


def irr(flows, low=-0.5, high=1):
    return root(lambda r: sum(flow(c) / (1 + r) ** i for i, c in enumerate(flows)), low, high) * 100


@exact
def npv(rate_, t, flows):
    r = mpf(rate_) / 100
    value = sum(flow(c) / (1 + r) ** (i + 1) for i, c in enumerate(flows))
    return value * (1 + r) if start_unless_zero(t) else value


@exact
def sln(cost, salvage, life):
    return (mpf(cost) - salvage) / life


@exact
def syd(cost, salvage, life, period):
    return (mpf(cost) - salvage) * (life - period + 1) * 2 / (life * (life + 1))


@exact
def ddb(cost, salvage, life, period):
    # The spreadsheet's rule: depreciate the book value by 2 / life, never
    # below the salvage value.
    rate_ = min(mpf(2) / life, 1)
    old = cost * (1 - rate_) ** (period - 1)
    new = cost * (1 - rate_) ** period
    value = old - salvage if new < salvage else old - new
    return max(value, 0)


def shown(x):
    """The calculator's text of x, or AMBIGUOUS near a rounding boundary."""
    x = mpf(x)
    if x == int(x) and abs(x) < 2**63 - 1:  # whole results are integers
        return str(int(x))
    if abs(x) < mpf("1e-13"):
        return "0"
    sign = "-" if x < 0 else ""
    x = abs(x)
    e = int(mp.floor(mp.log10(x)))
    scaled = x / mpf(10) ** (e - 12)  # 13 digits before the point
    whole = int(mp.floor(scaled))
    rest = scaled - whole
    if abs(rest - mpf("0.5")) < mpf("1e-3"):
        return "AMBIGUOUS"
    if rest > mpf("0.5"):
        whole += 1
    if whole == 10**13:
        whole, e = 10**12, e + 1
    digits = str(whole)
    if -5 <= e < 15:
        if e >= 12:
            text = digits + "0" * (e - 12)
        elif e >= 0:
            text = digits[: e + 1] + "." + digits[e + 1 :]
        else:
            text = "0." + "0" * (-e - 1) + digits
        if "." in text:
            text = text.rstrip("0").rstrip(".")
        return sign + text
    mantissa = (digits[0] + "." + digits[1:]).rstrip("0").rstrip(".")
    return sign + mantissa + "E" + str(e)


CASES = [
    ("FVal(0; 10; -100; 0; 0)", fv(0, 10, -100, 0, 0)),
    ("FVal(10; 2; -100; 0; 0)", fv(10, 2, -100, 0, 0)),
    ("FVal(5; 10; -100; -1000; 0)", fv(5, 10, -100, -1000, 0)),
    ("FVal(5; 10; -100; -1000; 1)", fv(5, 10, -100, -1000, 1)),
    ("FVal(5; 10; -100; -1000; 2)", fv(5, 10, -100, -1000, 2)),
    ("FVal(5; 10; -100; -1000; 257)", fv(5, 10, -100, -1000, 257)),
    ("FVal(5; 10; -100; -1000; -255)", fv(5, 10, -100, -1000, -255)),
    ("FVal(0.5; 360; -500; 0; 0)", fv(0.5, 360, -500, 0, 0)),
    ("FVal(-5; 10; -100; 1000; 0)", fv(-5, 10, -100, 1000, 0)),
    ("FVal(5; -3; -100; -1000; 0)", fv(5, -3, -100, -1000, 0)),
    ("FVal(5; 4294967306; -100; -1000; 0)", fv(5, 4294967306, -100, -1000, 0)),
    ("FVal(1/3; 120; -50; 0; 1)", fv(mpf(1) / 3, 120, -50, 0, 1)),
    ("FVal(0.007; 500; -100; 0; 0)", fv(0.007, 500, -100, 0, 0)),
    ("FVal(100; 53; -1; 0; 0)", fv(100, 53, -1, 0, 0)),
    ("PVAL(10; 2; -576.1904761904762; 0; 0)", pv(10, 2, -576.1904761904762, 0, 0)),
    ("PVAL(5; 10; -100; 1000; 0)", pv(5, 10, -100, 1000, 0)),
    ("PVAL(5; 10; -100; 1000; 1)", pv(5, 10, -100, 1000, 1)),
    ("PVAL(0; 10; -100; 0; 0)", pv(0, 10, -100, 0, 0)),
    ("PVAL(0.75; 240; -1500; 0; 0)", pv(0.75, 240, -1500, 0, 0)),
    ("PVAL(-20; 5; -100; 0; 0)", pv(-20, 5, -100, 0, 0)),
    ("PVAL(10; 400; -100; 0; 0)", pv(10, 400, -100, 0, 0)),
    ("PVAL(10; 400; -100; 0; 1)", pv(10, 400, -100, 0, 1)),
    ("PVAL(100; 60; -100; 5; 0)", pv(100, 60, -100, 5, 0)),
    ("Paymt(10; 2; 1000; 0; 0)", pmt(10, 2, 1000, 0, 0)),
    ("Paymt(0; 10; 1000; 0; 0)", pmt(0, 10, 1000, 0, 0)),
    ("Paymt(0.5; 360; 200000; 0; 0)", pmt(0.5, 360, 200000, 0, 0)),
    ("Paymt(5; 10; 1000; 500; 1)", pmt(5, 10, 1000, 500, 1)),
    ("Paymt(5; 10; 1000; 500; 3)", pmt(5, 10, 1000, 500, 3)),
    ("Paymt(-5; 10; 1000; 0; 0)", pmt(-5, 10, 1000, 0, 0)),
    ("Paymt(100; 60; 1000; 0; 0)", pmt(100, 60, 1000, 0, 0)),
    ("Paymt(100; 60; 1000; 0; 1)", pmt(100, 60, 1000, 0, 1)),
    ("Paymt(100; 60; 1000; 0; 2)", pmt(100, 60, 1000, 0, 2)),
    ("IPaymt(10; 1; 2; 1000; 0; 0)", ipmt(10, 1, 2, 1000, 0, 0)),
    ("IPaymt(10; 2; 2; 1000; 0; 0)", ipmt(10, 2, 2, 1000, 0, 0)),
    ("PPaymt(10; 1; 2; 1000; 0; 0)", ppmt(10, 1, 2, 1000, 0, 0)),
    ("PPaymt(10; 2; 2; 1000; 0; 0)", ppmt(10, 2, 2, 1000, 0, 0)),
    ("IPaymt(5; 3; 10; 1000; 500; 0)", ipmt(5, 3, 10, 1000, 500, 0)),
    ("PPaymt(5; 3; 10; 1000; 500; 0)", ppmt(5, 3, 10, 1000, 500, 0)),
    ("IPaymt(0.5; 360; 360; 200000; 0; 0)", ipmt(0.5, 360, 360, 200000, 0, 0)),
    ("PPaymt(0.5; 1; 360; 200000; 0; 0)", ppmt(0.5, 1, 360, 200000, 0, 0)),
    ("IPaymt(0; 3; 10; 1000; 0; 0)", ipmt(0, 3, 10, 1000, 0, 0)),
    ("PPaymt(0; 3; 10; 1000; 0; 0)", ppmt(0, 3, 10, 1000, 0, 0)),
    ("IPaymt(5; 3; 10; 1000; 500; 2)", ipmt(5, 3, 10, 1000, 500, 2)),
    ("NPer(0; -100; 1000; 0; 0)", round(nper(0, -100, 1000, 0, 0))),
    ("NPer(10; -576.1904761905; 1000; 0; 0)", round(nper(10, -576.1904761905, 1000, 0, 0))),
    ("NPer(0.5; -1199.1; 200000; 0; 0)", round(nper(0.5, -1199.1, 200000, 0, 0))),
    ("NPer(5; -100; 1000; 0; 1)", round(nper(5, -100, 1000, 0, 1))),
    ("NPer(5; -100; 1000; 0; 0)", round(nper(5, -100, 1000, 0, 0))),
    ("NPer(5; -100; 1000; -500; 0)", round(nper(5, -100, 1000, -500, 0))),
    ("NPer(-5; -100; 1000; 0; 0)", round(nper(-5, -100, 1000, 0, 0))),
    ("IRate(2; -576; 1000; 0; 0)", rate(2, -576, 1000, 0, 0)),
    ("IRate(360; -1199; 200000; 0; 0)", rate(360, -1199, 200000, 0, 0)),
    ("IRate(12; -100; 1000; 0; 1)", rate(12, -100, 1000, 0, 1)),
    ("IRate(12; -100; 1000; 0; 2)", rate(12, -100, 1000, 0, 2)),
    ("IRate(10; 0; -1000; 2000; 0)", rate(10, 0, -1000, 2000, 0)),
    ("IRate(10; -100; 1000; -500; 0)", rate(10, -100, 1000, -500, 0)),
    ("IRate(10; 100; 1000; -3000; 0)", rate(10, 100, 1000, -3000, 0)),
    ("IRate(12; -83; 1000; 0; 0)", rate(12, -83, 1000, 0, 0)),
    ("IRate(10; -100; 999.999; 0; 0)", rate(10, -100, 999.999, 0, 0)),
    ("IRate(1000; -60; 1000; 0; 0)", rate(1000, -60, 1000, 0, 0, 0.01)),
    ("IRate(1000; 100; 1000; -1E30; 0)", rate(1000, 100, 1000, mpf("-1e30"), 0, 0.01)),
    ("IRate(100; -1; 1E20; 0; 0)", rate(100, -1, mpf("1e20"), 0, 0, -0.9, -0.01)),
    ("IRR(10; -100; 110)", irr([-100, 110])),
    ("IRR(10; -1000; 300; 400; 500)", irr([-1000, 300, 400, 500])),
    ("IRR(-10; -1000; 300; 400; 500)", irr([-1000, 300, 400, 500])),
    ("IRR(10; -1000; 100; 100; 100)", irr([-1000, 100, 100, 100], -0.9, -0.01)),
    ("IRR(10; 1000; -300; -400; -500)", irr([1000, -300, -400, -500])),
    ("IRR(5; -500; -500; 300; 400; 500)", irr([-500, -500, 300, 400, 500])),
    ("IRR(25; -100; 230; -132)", irr([-100, 230, -132], 0.15, 0.5)),
    ("NPV(10; 0; 100; 100)", npv(10, 0, [100, 100])),
    ("NPV(10; 1; 100; 100)", npv(10, 1, [100, 100])),
    ("NPV(10; 2; 100; 100)", npv(10, 2, [100, 100])),
    ("NPV(8; 0; -1000; 300; 400; 500)", npv(8, 0, [-1000, 300, 400, 500])),
    ("NPV(0; 0; -1000; 300; 400; 500)", npv(0, 0, [-1000, 300, 400, 500])),
    ("NPV(-50; 0; 1; 1; 1)", npv(-50, 0, [1, 1, 1])),
    ("NPV(5; 0; 0.1; 0.2; -0.3)", npv(5, 0, [0.1, 0.2, -0.3])),
    ("SLN(1000; 100; 9)", sln(1000, 100, 9)),
    ("SLN(1000; 100; 4294967305)", sln(1000, 100, 9)),
    ("SYD(1000; 100; 5; 1)", syd(1000, 100, 5, 1)),
    ("SYD(1000; 100; 5; 5)", syd(1000, 100, 5, 5)),
    ("SYD(30000; 7500; 10; 3)", syd(30000, 7500, 10, 3)),
    ("SYD(1000000; 0; 100000; 1)", syd(1000000, 0, 100000, 1)),
    ("SYD(1000000; 0; 2147483647; 2147483647)", syd(1000000, 0, 2147483647, 2147483647)),
    ("DDB(1000; 100; 5; 1)", ddb(1000, 100, 5, 1)),
    ("DDB(1000; 100; 5; 3)", ddb(1000, 100, 5, 3)),
    ("DDB(1000; 100; 5; 4)", ddb(1000, 100, 5, 4)),
    ("DDB(1000; 100; 5; 5)", ddb(1000, 100, 5, 5)),
    ("DDB(2400; 300; 10; 2)", ddb(2400, 300, 10, 2)),
    ("DDB(2400; 300; 120; 10)", ddb(2400, 300, 120, 10)),
    ("DDB(1000; 100; 2147483647; 2147483647)", ddb(1000, 100, 2147483647, 2147483647)),
    ("DDB(1000; 500; 5; 3)", ddb(1000, 500, 5, 3)),
    ("DDB(1000; 100; 1; 1)", ddb(1000, 100, 1, 1)),
    ("DDB(1000; 100; 3; 3)", ddb(1000, 100, 3, 3)),
]

if __name__ == "__main__":
    for expression, value in CASES:
        print(f'      {{"{expression}", "{shown(value)}"}},')
