#!/usr/bin/env python3
"""Writes examples/stations.txt: one day's rain-gauge readings from several
Brazilian networks, with the duplicates and conflicts that merged lists carry.

Background stations are unique (own identifier, own place) and are all kept.
The planted groups below are the copies and conflicts; each group has its own
identifiers and place, far from every other record. Members of a group are
spread over the file in their order: first copies early, later copies further
down. The output is fixed by the seed; run from the repository root:

    python3 examples/make_stations.py > examples/stations.txt
"""

import random

SEED = 20240115
BACKGROUND = 262

# State, IBGE code, INMET prefix, longitude and latitude ranges, state agency.
REGIONS = [
    ("SP", 35, "A7", (-52.8, -44.8), (-24.9, -20.2), "DAEE"),
    ("MG", 31, "A5", (-50.4, -40.6), (-22.6, -15.2), "IGAM"),
    ("RJ", 33, "A6", (-44.6, -41.1), (-23.0, -21.0), "INEA"),
    ("ES", 32, "A6", (-41.6, -39.8), (-21.1, -18.2), "INCAPER"),
    ("BA", 29, "A4", (-45.9, -38.6), (-17.9, -9.1), "INEMA"),
    ("CE", 23, "A3", (-40.9, -37.6), (-7.5, -2.9), "FUNCEME"),
    ("PE", 26, "A3", (-40.9, -35.1), (-9.3, -7.4), "APAC"),
    ("PB", 25, "A3", (-38.6, -35.0), (-7.9, -6.1), "AESA"),
    ("PR", 41, "A8", (-54.0, -48.4), (-26.4, -22.8), "SIMEPAR"),
    ("SC", 42, "A8", (-53.4, -48.6), (-28.9, -26.1), "EPAGRI"),
    ("RS", 43, "A8", (-56.9, -50.1), (-33.2, -27.6), "SEMA RS"),
    ("GO", 52, "A0", (-52.0, -46.2), (-18.9, -13.0), None),
    ("MT", 51, "A9", (-59.9, -51.1), (-17.0, -8.0), None),
    ("AM", 13, "A1", (-69.9, -57.5), (-7.9, -1.0), None),
    ("PA", 15, "A2", (-55.9, -47.1), (-7.9, -1.2), None),
]

AESA_POSTS = ["Cajazeiras", "Sousa", "Patos", "Monteiro", "Sume", "Pombal",
              "Catole do Rocha", "Sao Bento", "Picui", "Esperanca", "Areia",
              "Itaporanga", "Princesa Isabel", "Conceicao", "Teixeira"]

# (wave, id, agency, longitude, latitude, precipitation): wave 0 records come
# first in the file, wave 1 later, wave 2 last.
PLANTED = [
    # Different identifiers, same place and rain: the later one goes (R1).
    # The leading zero of the ANA code was lost in a spreadsheet.
    (0, "02243004", "ANA", "-43.1050", "-22.4810", "12.4"),
    (1, "2243004", "ANA", "-43.1050", "-22.4810", "12.4"),
    # Different identifiers, same place, different rain: both go (R2).
    (0, "A652", "INMET", "-43.4111", "-22.9400", "8.2"),
    (1, "RJ-0317", "INEA", "-43.4111", "-22.9400", "7.9"),
    # Exact copy (R3); the copy runs over two lines and writes 15.60.
    (0, "A701", "INMET", "-46.6200", "-23.4963", "15.6"),
    (1, "A701", "INMET", "-46.6200", "-23.4963", "15.60", "split"),
    # Three exact copies, the third from a quoted export (R3 twice).
    (0, "355030802A", "CEMADEN", "-46.7400", "-23.6100", "9.8"),
    (1, "355030802A", "CEMADEN", "-46.7400", "-23.6100", "9.8"),
    (2, "355030802A", "CEMADEN", "-46.7400", "-23.6100", "9.8", "csv"),
    # Exact copy under another agency name: the agency is not compared (R3).
    (0, "E3-035", "DAEE", "-46.5500", "-23.7000", "22.3"),
    (1, "E3-035", "DAEE-SP", "-46.5500", "-23.7000", "22.3"),
    # Same identifier and place, different rain: both go (R4), and so does
    # the identifier's third record, far away (purge, no reason).
    (0, "01944009", "ANA", "-44.5000", "-19.9000", "28.5"),
    (1, "01944009", "ANA", "-44.0200", "-19.4100", "31.2"),
    (2, "01944009", "ANA", "-44.0200", "-19.4100", "31.0"),
    # Missing rain written NaN twice: NaN equals nothing, so R4 for both.
    (0, "A806", "INMET", "-49.1600", "-25.4500", "NaN"),
    (1, "A806", "INMET", "-49.1600", "-25.4500", "NaN"),
    # Same identifier and rain, moved 0.01 (about 1 km): the later goes (R5).
    (0, "292740801A", "CEMADEN", "-38.5100", "-12.9700", "44.8"),
    (1, "292740801A", "CEMADEN", "-38.5100", "-12.9800", "44.8"),
    # Same identifier and rain, far apart: both kept.
    (0, "A401", "INMET", "-38.5300", "-13.0100", "5.1"),
    (1, "A401", "INMET", "-38.1000", "-12.6000", "5.1"),
    # Same identifier and rain, latitudes -23.5 and -23.52: the distance in
    # single precision is just above the threshold, so both are kept.
    (0, "02349031", "ANA", "-49.3000", "-23.5000", "0.0"),
    (1, "02349031", "ANA", "-49.3000", "-23.5200", "0.0"),
    # Same identifier, near places, different rain: both go, only the later
    # carries R6; the earlier is reported with no reason.
    (0, "257", "FUNCEME", "-39.2700", "-5.1900", "18.6"),
    (1, "257", "FUNCEME", "-39.2750", "-5.1880", "21.0"),
    # Same identifier, far places, different rain: both kept.
    (0, "112", "APAC", "-35.0000", "-8.0500", "3.4"),
    (1, "112", "APAC", "-36.5000", "-8.3000", "9.7"),
    # Different identifiers a few metres apart: never removed as a pair.
    (0, "A612", "INMET", "-40.3200", "-20.3100", "7.7"),
    (1, "ES-0031", "INCAPER", "-40.3205", "-20.3102", "7.7"),
    # Three identifiers at one place: the first pair differs in rain (R2 for
    # both); the first, though removed, still meets the third, which has its
    # rain, so the third goes too (R1).
    (0, "83967", "INMET", "-51.2300", "-30.0300", "10.2"),
    (1, "RS-0812", "SEMA RS", "-51.2300", "-30.0300", "11.4"),
    (2, "431490201A", "CEMADEN", "-51.2300", "-30.0300", "10.2"),
]


def rain(rng):
    if rng.random() < 0.35:
        return "0.0"
    amount = rng.lognormvariate(1.8, 1.0)
    amount = min(amount, 180.0)
    return f"{amount:.2f}" if rng.random() < 0.3 else f"{amount:.1f}"


def station_id(rng, agency, region, lon, lat, seq):
    state, ibge, inmet, _, _, _ = region
    if agency == "ANA":
        return f"0{int(-lat):02d}{int(-lon):02d}{seq % 1000:03d}"
    if agency == "INMET":
        return f"{inmet}{rng.randrange(10, 99):02d}"
    if agency == "CEMADEN":
        return f"{ibge}{rng.randrange(10000, 99999)}{rng.randrange(1, 9):02d}A"
    if agency == "DAEE":
        return f"{rng.choice('BCDEF')}{rng.randrange(1, 9)}-{rng.randrange(1, 999):03d}"
    if agency == "AESA":
        return rng.choice(AESA_POSTS)
    if agency in ("FUNCEME", "APAC"):
        return str(rng.randrange(1, 900))
    if agency == "SIMEPAR":
        return f"2{int(-lat):02d}{int(-lon):02d}{rng.randrange(100, 999)}"
    return f"{state}-{rng.randrange(1, 9999):04d}"


def background(rng, taken_ids, taken_places):
    records = []
    while len(records) < BACKGROUND:
        region = rng.choice(REGIONS)
        agencies = ["ANA", "ANA", "INMET", "CEMADEN"]
        if region[5]:
            agencies += [region[5], region[5]]
        agency = rng.choice(agencies)
        lon = f"{rng.uniform(*region[3]):.4f}"
        lat = f"{rng.uniform(*region[4]):.4f}"
        if float(lat) > -1.0:
            continue
        ident = station_id(rng, agency, region, float(lon), float(lat), len(records))
        if ident in taken_ids or (lon, lat) in taken_places:
            continue
        taken_ids.add(ident)
        taken_places.add((lon, lat))
        records.append((ident, agency, lon, lat, rain(rng)))
    return records


def check_background_is_unique(records):
    """No background record may share an identifier or a place with any
    other record, planted ones included."""
    ids = [r[0] for r, _ in records] + list({p[1] for p in PLANTED})
    places = [(r[2], r[3]) for r, _ in records] + list({(p[3], p[4]) for p in PLANTED})
    assert len(ids) == len(set(ids)), "identifier used twice"
    assert len(places) == len(set(places)), "place used twice"


def quoted(text, delimiter="'"):
    return delimiter + text.replace(delimiter, delimiter * 2) + delimiter


def text_value(text):
    return quoted(text) if " " in text or "'" in text else text


def line(record, style):
    ident, agency, lon, lat, prec = record
    if style == "csv":
        return f'{quoted(ident, chr(34))},{quoted(agency, chr(34))},{lon},{lat},{prec}'
    if style == "comma":
        return f"{text_value(ident)}, {text_value(agency)}, {lon}, {lat}, {prec}"
    if style == "split":
        return f"{text_value(ident):<12} {text_value(agency):<9} {lon:>9}\n{'':23}{lat:>9} {prec:>6}"
    return f"{text_value(ident):<12} {text_value(agency):<9} {lon:>9} {lat:>9} {prec:>6}"


def main():
    rng = random.Random(SEED)
    planted_ids = {p[1] for p in PLANTED}
    planted_places = {(p[3], p[4]) for p in PLANTED}
    records = [(r, None) for r in background(rng, set(planted_ids), set(planted_places))]
    # One AESA post whose name holds an apostrophe, and one with a blank.
    records[40] = (("Olho D'Agua", "AESA", "-37.7500", "-7.2200", "6.3"), None)
    records[41] = (("Sao Jose de Piranhas", "AESA", "-38.5000", "-7.1200", "0.0"), None)
    check_background_is_unique(records)
    planted = sorted(PLANTED, key=lambda p: p[0])
    step = len(records) // (len(planted) + 1)
    for k, p in enumerate(planted):
        style = p[6] if len(p) > 6 else None
        records.insert((k + 1) * step + k, (p[1:6], style))
    lines = []
    for index, (record, style) in enumerate(records):
        if style is None and 150 <= index < 172:
            style = "csv"
        elif style is None and 215 <= index < 232:
            style = "comma"
        lines.append(line(record, style or "plain"))
    print("\n".join(lines))


if __name__ == "__main__":
    main()
