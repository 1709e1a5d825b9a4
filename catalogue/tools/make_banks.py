#!/usr/bin/env python3
"""Writes the plain capacitor-bank tables of the shipped catalogue.

bb.sql (50 Hz) and bb6.sql (60 Hz) are derived here from a few rules, so
that every row of a series agrees with the others and with the series'
description: the article code names the series, voltage, power and
frequency; the step composition adds up to the power and fits the series'
controller; the enclosure follows the bank's rated current; the list price
follows the power, the voltage class, the frequency, the detuning reactors
and the enclosure. catalogue/README.md states the rules and what they rest
on. Only the standard library is used:

    python3 catalogue/tools/make_banks.py catalogue

The SQL files are committed; the build only reads them.
"""

import math
import sys
from pathlib import Path

# Series: code prefix, controller steps, list price of the bare bank in
# euros, euros per kvar at 400 V and 50 Hz, enclosure family.
SERIES = {
    "Quelva": ("QLV", 6, 700, 26.0, "wall"),
    "Fenwa": ("FNW", 12, 760, 27.0, "wall_or_floor"),
    "Corsel": ("CRS", 12, 1300, 19.0, "floor"),
    "Dravia": ("DRV", 12, 1400, 21.0, "floor"),
    "Galvix": ("GLX", 12, 1500, 19.5, "floor"),
    "Hormea": ("HRM", 12, 1700, 19.0, "floor"),
    "Isquel": ("ISQ", 12, 1800, 20.5, "floor"),
    "Brunia": ("BRN", 12, 1450, 19.5, "shallow"),
    "Elmora": ("ELM", 12, 2400, 20.0, "floor"),
    "Tirsa": ("TRS", 1, 95, 14.0, "fixed"),
}

# Detuning factor p of each detuned series, in percent: the reactor tunes
# the step to f / sqrt(p), below the lowest harmonic present.
DETUNING = {"Hormea": 7, "Brunia": 7, "Isquel": 14}

# Cost of the reactors on the per-kvar part of the price, by p.
REACTOR_FACTOR = {7: 1.80, 14: 1.95}


def voltage_factor(volt):
    """Cost of a bank of a voltage class against the same bank at 400 V.

    The same kvar at a lower voltage needs (400 / U)^2 times the
    capacitance and carries 400 / U times the current through contactors,
    fuses, switch and busbars; higher voltages need capacitors and
    switchgear of a higher rating.
    """
    if volt <= 240:
        return 1.45
    if volt >= 480:
        return 1.10
    if volt > 400:
        return 1.05
    return 1.00


# Banks for 60 Hz networks are built to order.
FREQUENCY_FACTOR = {50: 1.00, 60: 1.04}

# Standard kvar ratings of a step.
STEP_SIZES = [2.5, 5, 7.5, 10, 12.5, 15, 20, 25, 30, 40, 50, 60, 75, 100, 125, 150, 200]

# The largest current one step's contactor switches, in amperes.
STEP_CURRENT_LIMIT = 300.0

# The standard ratings of distribution transformers, kVA.
TRANSFORMER_RATINGS = [25, 50, 100, 160, 250, 315, 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3150]

# The program sizes the transformer's own bank at 5 % of its rating.
TRANSFORMER_SHARE = 0.05


def current(power, volt):
    """Rated current in amperes of a three-phase bank."""
    return power * 1000.0 / (math.sqrt(3.0) * volt)


def fmt(value):
    """A power as the catalogue writes it: no trailing zeros."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return text


def steps(power, volt, most):
    """The step composition: N equal steps where they fit, otherwise a
    smaller first step and N equal ones; never more steps than the
    controller has, each step within its contactor's current, and as close
    to six steps as possible (the finer of two equally close)."""
    if most == 1:
        return "1x" + fmt(power)
    allowed = [s for s in STEP_SIZES if current(s, volt) <= STEP_CURRENT_LIMIT]
    choices = []
    for size in allowed:
        count = power / size
        if abs(count - round(count)) < 1e-9 and 3 <= round(count) <= most:
            choices.append((0, round(count), f"{round(count)}x{fmt(size)}"))
    for size in allowed:
        for first in allowed:
            if first >= size:
                break
            rest = (power - first) / size
            if rest >= 2 and abs(rest - round(rest)) < 1e-9 and round(rest) + 1 <= most:
                choices.append((1, round(rest) + 1, f"{fmt(first)}+{round(rest)}x{fmt(size)}"))
    if not choices:
        raise ValueError(f"no step composition for {power} kvar at {volt} V")
    choices.sort(key=lambda c: (c[0], abs(c[1] - 6), -c[1]))
    return choices[0][2]


def section_width(amperes, per_section):
    return 600 * max(1, math.ceil(amperes / per_section))


def enclosure(family, amperes, detuned):
    """Width, height and depth in mm of the enclosure for a rated current.

    A cabinet section 600 mm wide holds 440 A of plain steps, or 220 A of
    detuned steps (the reactors take the room and give off the heat)."""
    per_section = 220.0 if detuned else 440.0
    scale = 0.5 if detuned else 1.0
    if family == "fixed":
        for limit, dims in ((40, (300, 250, 150)), (90, (400, 350, 200)), (240, (500, 450, 250))):
            if amperes <= limit:
                return dims
        return (600, 600, 300)
    if family in ("wall", "wall_or_floor"):
        for limit, dims in ((40, (400, 500, 220)), (80, (500, 700, 250)), (160, (600, 900, 300))):
            if amperes <= limit:
                return dims
        if family == "wall":
            raise ValueError(f"{amperes:.0f} A does not fit a wall box")
    depth = 400 if family == "shallow" else 500
    small_depth = 300 if family == "shallow" else 400
    if amperes <= 90 * scale:
        return (500, 1000, small_depth)
    if amperes <= 220 * scale:
        return (600, 1400, small_depth)
    return (section_width(amperes, per_section), 2000, depth)


def enclosure_cost(dims):
    width, height, depth = dims
    return 150.0 + 900.0 * width * height * depth / 1e9


def price(series, power, volt, frequency, detuning, dims):
    _, _, base, per_kvar, _ = SERIES[series]
    kvar_part = per_kvar * power
    if detuning:
        kvar_part *= REACTOR_FACTOR[detuning]
    raw = ((base + kvar_part) * voltage_factor(volt) + enclosure_cost(dims)) * FREQUENCY_FACTOR[frequency]
    # List prices end in 4.50 or 9.50 euros: exact in single precision.
    return 5.0 * round(raw / 5.0) - 0.5


def code(series, volt, power, frequency, detuning):
    prefix = SERIES[series][0] + (str(detuning) if detuning else "")
    text = f"{prefix}-{volt}-{round(power * 10):05d}"
    return text + ("-60" if frequency == 60 else "")


def row(series, volt, power, frequency, detuning=0):
    _, most, _, _, family = SERIES[series]
    amperes = current(power, volt)
    dims = enclosure(family, amperes, detuning)
    return (code(series, volt, power, frequency, detuning), series, volt, power,
            price(series, power, volt, frequency, detuning, dims), 1, 1 if detuning else 0, 0,
            steps(power, volt, most), "x".join(str(d) for d in dims))


def transformer_rows(volt, frequency):
    """One fixed bank per standard transformer rating, sized as the program
    asks for it, so that each rating finds the bank made for it."""
    result = []
    for rating in TRANSFORMER_RATINGS:
        power = rating * TRANSFORMER_SHARE
        assert (power * 4) == int(power * 4), rating
        dims = enclosure("fixed", current(power, volt), 0)
        text = f"TRS-{volt}-{rating:04d}" + ("-60" if frequency == 60 else "")
        result.append((text, "Tirsa", volt, power, price("Tirsa", power, volt, frequency, 0, dims), 0, 0, 1,
                       steps(power, volt, 1), "x".join(str(d) for d in dims)))
    return result


QUELVA = [7.5, 10, 12.5, 15, 17.5, 20, 22.5, 25, 27.5, 30, 35, 40, 45, 50]
FENWA = [7.5, 10, 12.5, 15, 20, 25, 30, 35, 40, 50, 60, 70, 75, 80, 90, 100, 120, 150]
CORSEL = [30, 40, 50, 60, 75, 90, 100, 110, 125, 150, 175, 200, 225, 250, 275, 300, 350, 400]
CORSEL_230 = [10, 15, 20, 25, 30, 40, 50, 60, 75, 90, 100, 125, 150, 175, 200]
DRAVIA = [50, 75, 100, 125, 150, 200, 250, 300, 350, 400, 450, 500, 600]
GALVIX = [100, 125, 150, 175, 200, 250, 300, 350, 400, 450, 500, 550, 600, 650, 700, 800]
HORMEA = [300, 350, 400, 450, 500, 600, 700, 800, 900, 1000, 1100, 1200]
ISQUEL = [200, 250, 300, 400, 500, 600, 700, 800, 900, 1000, 1200]
BRUNIA = [60, 80, 100, 120, 140, 160, 180, 200, 240, 280, 320, 360, 400]
BRUNIA_230 = BRUNIA + [480, 560, 640, 720, 800]
ELMORA = [150, 200, 250, 300, 400, 500, 600, 750, 900, 1050, 1200]
ELMORA_480 = [25, 50, 75, 100] + ELMORA
FENWA_240 = [25, 30, 35, 40, 50, 60, 70, 75, 80, 90, 100, 120, 150, 175, 200, 250, 300, 350, 400,
             480, 560, 640, 720, 800]
HORMEA_DETUNED = [1200, 1100, 1000, 900, 800, 700, 600, 500, 450, 400, 350, 300, 250, 200, 175, 150, 125,
                  100, 75, 62.5, 50, 37.5, 25, 20, 15, 12.5]
ISQUEL_DETUNED = [1200, 1050, 900, 750, 600, 500, 400, 300, 250, 200, 150, 100, 75, 50, 37.5, 25, 20, 15, 12.5]
BRUNIA_DETUNED = [400, 350, 300, 250, 200, 150, 125, 100, 75, 50, 37.5, 25, 20, 15, 12.5]
BRUNIA_DETUNED_230 = [800, 720, 640, 560, 480] + BRUNIA_DETUNED[:]
HORMEA_DETUNED_230 = [300, 250, 200, 150, 100, 75, 50, 37.5, 25, 20, 15, 12.5]

# Per table, the voltage classes in order, each a list of (series, volt,
# powers); the detuned series are the ones that list their powers from the
# largest down (the selection keeps a series' last row at or above the
# chosen power). Each class ends with the transformer banks at the given
# voltage.
TABLES = {
    50: [
        ([("Quelva", 400, QUELVA), ("Fenwa", 400, FENWA), ("Corsel", 400, CORSEL), ("Dravia", 440, DRAVIA),
          ("Galvix", 400, GALVIX), ("Hormea", 400, HORMEA), ("Isquel", 450, ISQUEL), ("Brunia", 400, BRUNIA),
          ("Elmora", 400, ELMORA)], 400),
        ([("Fenwa", 480, FENWA), ("Corsel", 480, CORSEL), ("Galvix", 480, GALVIX), ("Elmora", 480, ELMORA_480)],
         480),
        ([("Quelva", 230, QUELVA), ("Fenwa", 220, FENWA), ("Corsel", 230, CORSEL_230),
          ("Brunia", 240, BRUNIA_230)], 230),
    ],
    60: [
        ([("Quelva", 440, QUELVA), ("Fenwa", 440, FENWA), ("Corsel", 450, CORSEL), ("Dravia", 440, DRAVIA),
          ("Galvix", 440, GALVIX), ("Elmora", 440, ELMORA), ("Hormea", 440, HORMEA_DETUNED),
          ("Isquel", 450, ISQUEL_DETUNED), ("Brunia", 400, BRUNIA_DETUNED)], 440),
        ([("Quelva", 480, QUELVA), ("Fenwa", 480, FENWA), ("Corsel", 480, CORSEL), ("Galvix", 480, GALVIX),
          ("Elmora", 480, ELMORA_480), ("Hormea", 480, HORMEA_DETUNED), ("Isquel", 480, ISQUEL_DETUNED)], 480),
        ([("Quelva", 220, QUELVA), ("Corsel", 230, CORSEL_230), ("Fenwa", 240, FENWA_240),
          ("Brunia", 240, BRUNIA_DETUNED_230), ("Hormea", 230, HORMEA_DETUNED_230)], 230),
    ],
}

HEADER = {
    50: ("-- Plain capacitor banks for 50 Hz networks (kvar), grouped by voltage class:\n"
         "-- 400/440/450 V, 480 V, 220/230/240 V. Each class ends with the fixed banks\n"
         "-- (transform = 1) that compensate the supply transformer itself, one per\n"
         "-- standard transformer rating. Written by tools/make_banks.py.\n"),
    60: ("-- Plain capacitor banks for 60 Hz networks (kvar), grouped by voltage class:\n"
         "-- 400/440/450 V, 480 V, 220/230/240 V. The detuned series (harmonic = 1) list\n"
         "-- their rows from the largest power down; each class ends with the fixed banks\n"
         "-- (transform = 1) for the supply transformer, one per standard transformer\n"
         "-- rating. Written by tools/make_banks.py.\n"),
}


def is_detuned_list(powers):
    return all(a > b for a, b in zip(powers, powers[1:])) and len(powers) > 1


def table_rows(frequency):
    rows = []
    for groups, transformer_volt in TABLES[frequency]:
        for series, volt, powers in groups:
            detuning = DETUNING[series] if is_detuned_list(powers) else 0
            rows.extend(row(series, volt, power, frequency, detuning) for power in powers)
        rows.extend(transformer_rows(transformer_volt, frequency))
    return rows


def sql(table, frequency):
    lines = []
    for r in table_rows(frequency):
        (code_, series, volt, power, price_, automatic, harmonic, transform, steps_, dim) = r
        lines.append(f"  ('{code_}', '{series}', {volt}, {fmt(power)}, {price_:.2f}, {automatic}, {harmonic}, "
                     f"{transform}, '{steps_}', '{dim}')")
    return (HEADER[frequency]
            + f"INSERT INTO {table} (code, type, volt, power, price, automatic, harmonic, transform, steps, dim)"
            + " VALUES\n" + ",\n".join(lines) + ";\n")


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    (folder / "bb.sql").write_text(sql("bb", 50), encoding="utf-8")
    (folder / "bb6.sql").write_text(sql("bb6", 60), encoding="utf-8")


if __name__ == "__main__":
    main()
