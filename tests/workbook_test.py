#!/usr/bin/python3
"""Reads the workbooks that lumtrel writes back with openpyxl, an
independent reader, and compares them with the semicolon table and with
candela rows worked out by hand.

usage: workbook_test.py TOOL SOURCE_DIR LOCALES_DIR WORK_DIR [WINE EXE]

With WINE and EXE, also runs lumtrel.exe under Wine on every case, and on a
name beyond ASCII and a path beyond 260 characters, and compares its cells
with the Linux tool's."""
import math
import os
import re
import shutil
import subprocess
import sys
import zipfile

import openpyxl

TOOL, SOURCE, LOCALES, WORK = sys.argv[1:5]
WINE, EXE = (sys.argv[5:7] + [None, None])[:2]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what.split(":")[0])
        print("FAILED:", what)


def close(a, b):
    return isinstance(a, (int, float)) and math.isclose(a, b, rel_tol=1e-12,
                                                        abs_tol=1e-300)


def ies(vertical, horizontal, photometric_type=1):
    """An IES file, multiplier 2, whose row i holds 10(i+1) and 10(i+1)+1."""
    values = " ".join(f"{10 * (i + 1)} {10 * (i + 1) + 1}"
                      for i in range(len(horizontal)))
    return (f"IESNA:LM-63-2002\nTILT=NONE\n1 1000 2 {len(vertical)} "
            f"{len(horizontal)} {photometric_type} 1 0 0 0\n1 1 10\n"
            f"{' '.join(map(str, vertical))}\n"
            f"{' '.join(map(str, horizontal))}\n{values}\n")


def ldt(isym, stored):
    """An EULUMDAT file with C-planes 0, 90, 180, 270, gamma angles 0 and 90,
    2000 lm: stored plane p holds 10(p+1) and 10(p+1)+1 cd/klm."""
    lines = (["maker", "1", str(isym), "4", "90", "2", "90"] +
             ["r", "n", "no", "f.ldt", "d"] + ["0"] * 9 + ["100", "80", "1",
             "0", "1", "1", "LED", "2000", "nw", "80", "20"] + ["0.5"] * 10 +
             ["0", "90", "180", "270", "0", "90"])
    for p in range(stored):
        lines += [str(10 * (p + 1)), str(10 * (p + 1) + 1)]
    return "\r\n".join(lines) + "\r\n"


def rows(*planes):
    """Candela rows: (C, p) is plane C holding stored plane p's values
    times 2."""
    return [(c, [20 * (p + 1), 20 * (p + 1) + 2]) for c, p in planes]


# name, input file name, text (None: the example of that name), candela
# rows expected.
CASES = [
    ("lamp", "lamp.ies", None, [(0, [100, 80, 20])]),
    ("downlight", "downlight.ies", None,
     [(0, [1500, 1250, 820.5, 310.25, 0])]),
    ("downlight_ldt", "downlight.ldt", None,
     [(0, [592, 576, 518, 414, 266, 88, 0])]),
    ("ies_one_plane", "a.ies", ies([0, 90], [30]), rows((30, 0))),
    ("ies_quadrant", "a.ies", ies([0, 90], [0, 90]),
     rows((0, 0), (90, 1), (180, 0), (270, 1))),
    ("ies_half_c0", "a.ies", ies([0, 90], [0, 90, 180]),
     rows((0, 0), (90, 1), (180, 2), (270, 1))),
    ("ies_half_c90", "a.ies", ies([90, 180], [90, 180, 270]),
     [(0, [40, 42]), (90, [20, 22]), (180, [40, 42]), (270, [60, 62])]),
    ("ies_whole", "a.ies", ies([0, 90], [0, 120, 240, 360]),
     rows((0, 0), (120, 1), (240, 2))),
    ("ies_type_b", "a.ies", ies([0, 90], [90, -90], 2),
     rows((90, 0), (-90, 1))),
    ("ldt_isym_0", "a.ldt", ldt(0, 4),
     rows((0, 0), (90, 1), (180, 2), (270, 3))),
    ("ldt_isym_1", "a.ldt", ldt(1, 1), rows((0, 0))),
    ("ldt_isym_2", "a.ldt", ldt(2, 3),
     rows((0, 0), (90, 1), (180, 2), (270, 1))),
    # Stored C270, C0, C90.
    ("ldt_isym_3", "a.LDT", ldt(3, 3),
     rows((0, 1), (90, 2), (180, 1), (270, 0))),
    ("ldt_isym_4", "a.ldt", ldt(4, 2),
     rows((0, 0), (90, 1), (180, 0), (270, 1))),
    # The largest intensity in C315 gets a curve of its own; 360 is C0.
    ("ies_peak_c315", "a.ies",
     ies([0, 90], [0, 45, 90, 135, 180, 225, 270, 315, 360]),
     rows(*[(45 * p, p) for p in range(8)])),
]


def chart_series(path):
    """The names of the polar diagram's curves, from the chart's XML."""
    chart = zipfile.ZipFile(path).read("xl/charts/chart1.xml").decode()
    return re.findall(r"<c:tx><c:v>([^<]*)</c:v>", chart), chart


def check_datasheet(name, folder, input_name, book, sheets):
    """What each sheet says of its numbers, the file's identity, the
    rounding shown, the printing, and the diagram's curves."""
    ies_file = input_name.lower().endswith(".ies")
    table = book["Table"]
    comment = table["A1"].comment.text if table["A1"].comment else None
    multiplier = {"lamp.ies": "1", "downlight.ies": "1"}.get(input_name, "2")
    unit = (f"the file's values; times the candela multiplier {multiplier}, cd"
            if ies_file else "cd/klm")
    check(sheets["Table"][0][0] == "A" and comment == unit and
          table.oddFooter.left.text == unit, f"{name}: Table's unit {comment}")
    check(sheets["Candela"][0][0] == "C \\ γ (°), cd",
          f"{name}: Candela's unit")
    for sheet in book:
        check(sheet.oddHeader.center.text == input_name and
              sheet.oddFooter.right.text == "&P",
              f"{name}: {sheet.title}'s page header and footer")
    check(table.print_title_rows == "$1:$1" and table.print_title_cols ==
          "$A:$A" and book["Candela"].print_title_rows == "$1:$1",
          f"{name}: angles on every printed page")
    summary = book["Summary"]
    formats = {"lamp.ies": "IES LM-63-1995", "downlight.ies": "IES LM-63-2002"}
    identity = [r[:2] for r in sheets["Summary"][:4]]
    check(identity[0] == ["File", input_name] and identity[3] ==
          ["Format", formats.get(input_name, "IES LM-63-2002" if ies_file
                                 else "EULUMDAT")],
          f"{name}: Summary's identity {identity}")
    numbers = [r[1] for r in summary.iter_rows(min_row=5)
               if isinstance(r[1].value, float)]
    check(all(c.number_format == "0.0" for c in numbers),
          f"{name}: Summary's numbers shown to one decimal")
    check(summary.page_setup.orientation == "landscape" and
          summary.page_setup.paperSize == 9 and
          summary.sheet_properties.pageSetUpPr.fitToPage,
          f"{name}: Summary prints on one landscape page")
    labels = [r[0] for r in sheets["Header"] if r[0]]
    width = book["Header"].column_dimensions["A"].width
    check(width >= min(80, max(len(label) for label in labels)),
          f"{name}: Header's labels fit their column ({width})")
    tiny = [v for r in sheets.get("Polar data", [])[1:] for v in r
            if isinstance(v, float) and 0 < abs(v) < 1e-9]
    check(not tiny, f"{name}: Polar data's points on an axis are 0: {tiny}")
    if "Polar data" not in sheets:
        check(name == "ies_type_b", f"{name}: no polar diagram")
        return
    series, chart = chart_series(os.path.join(folder, "t.xlsx"))
    # A third curve where the largest intensity lies in another plane.
    third = {"ies_peak_c315": ["C135-C315"], "ies_whole": ["C60-C240"]}
    curves = ["C0-C180", "C90-C270"] + third.get(name, [])
    check(series == curves and "<c:legend>" not in chart,
          f"{name}: the diagram's curves {series}")


def run(command, folder, answer, env):
    result = subprocess.run(command, cwd=folder, input=answer.encode() + b"\n",
                            capture_output=True, env=env, timeout=60)
    check(result.stderr == b"", f"{command[-1]}: {result.stderr[:500]}")
    return result.stdout.decode("utf-8", "replace")


def environment(locale="C", tmp=None):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("LC_", "LANG", "LOCPATH"))}
    env.update(LC_ALL=locale, LOCPATH=LOCALES)
    if tmp:
        env["TMPDIR"] = tmp
    return env


def no_own_files(folder):
    """True when no new file of a save is left in `folder`."""
    return not [f for f in os.listdir(folder) if f.startswith(".lumtrel-")]


def cells(path):
    book = openpyxl.load_workbook(path)
    return {sheet.title: [list(r) for r in sheet.iter_rows(values_only=True)]
            for sheet in book}, book


def check_case(name, folder, input_name, expected):
    tmp = os.path.join(folder, "tmp")
    os.makedirs(tmp)
    console = run([TOOL, input_name], folder, "t.csv", environment())
    check("Saved: t.csv" in console, f"{name}: table saved")
    sheets = {}
    # The last answer replaces the first one's workbook.
    for locale, answer in (("C", "t.xlsx"), ("de_DE.UTF-8", "T.XLSX"),
                           ("de_DE.UTF-8", "t.xlsx")):
        console = run([TOOL, input_name], folder, answer,
                      environment(locale, tmp))
        check(f"Saved: {answer}" in console, f"{name}: {answer} saved")
    check(open(os.path.join(folder, "t.xlsx"), "rb").read() ==
          open(os.path.join(folder, "T.XLSX"), "rb").read(),
          f"{name}: the same bytes in C and de_DE")
    check(os.listdir(tmp) == [], f"{name}: temporary files removed")
    check(no_own_files(folder), f"{name}: no file of the tool's own left")
    sheets, book = cells(os.path.join(folder, "t.xlsx"))
    names = list(sheets)
    check(names[:4] == ["Table", "Candela", "Header", "Summary"] and
          "Checks" in names, f"{name}: sheets {names}")
    check_datasheet(name, folder, input_name, book, sheets)
    if "UGR" in sheets:
        ugr = book["UGR"]
        check(sheets["UGR"][0][0] == "UGR (CIE 190, S = 0.25 H), uncorrected"
              and sheets["UGR"][7][0] == "2H \u00d7 2H" and
              ugr["B8"].number_format == '[<10]"<10.0";0.0' and
              len(sheets["UGR"]) == 26, f"{name}: the UGR table's shape")
    # The bundled examples are sound files.
    if input_name in os.listdir(os.path.join(SOURCE, "examples")):
        check(sheets["Checks"][1][:2] == ["None", "No faults found"],
              f"{name}: the example's checks: {sheets['Checks'][1:]}")
    check(book["Table"].freeze_panes == "B2" and
          book["Candela"].freeze_panes == "B2", f"{name}: angles frozen")
    # The table's cells, written with six significant digits, are the
    # semicolon table.
    table = [line.split(";")[:-1] for line in
             open(os.path.join(folder, "t.csv")).read().splitlines() if line]
    shown = [[c if isinstance(c, str) else "%g" % c for c in r]
             for r in sheets["Table"]]
    check(shown == table, f"{name}: Table is the semicolon table")
    candela = sheets["Candela"][1:]
    check(len(candela) == len(expected), f"{name}: {len(candela)} planes")
    for got, (angle, values) in zip(candela, expected):
        check(close(got[0], angle) and
              all(close(g, v) for g, v in zip(got[1:], values)) and
              len(got) == len(values) + 1, f"{name}: plane {angle}: {got}")
    return sheets


def check_wine(name, folder, input_name, linux):
    env = environment("C.UTF-8")
    env.update(WINEDEBUG="-all")
    # The last answer replaces the first one's workbook.
    for answer, saved in (("w.xlsx.", "w.xlsx"), ("Größe-灯.xlsx", None),
                          ("w.xlsx", None)):
        console = run([WINE, EXE, input_name], folder, answer, env)
        check(f"Saved: {answer}" in console, f"wine {name}: {answer} saved")
        sheets, _ = cells(os.path.join(folder, saved or answer))
        same = all(close(a, b) or a == b
                   for sheet in ("Table", "Candela", "Summary", "UGR")
                   if sheet in linux
                   for ra, rb in zip(sheets[sheet], linux[sheet])
                   for a, b in zip(ra, rb))
        check(same and list(sheets) == list(linux),
              f"wine {name}: {answer} as on Linux")
    check(no_own_files(folder), f"wine {name}: no file of the tool's own left")


for name, input_name, text, expected in CASES:
    folder = os.path.join(WORK, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    target = os.path.join(folder, input_name)
    if text is None:
        shutil.copy(os.path.join(SOURCE, "examples", input_name), target)
    else:
        open(target, "w", newline="").write(text)
    linux = check_case(name, folder, input_name, expected)
    if WINE:
        check_wine(name, folder, input_name, linux)

# The example's light output ratio agrees with what it declares.
downlight = cells(os.path.join(WORK, "downlight_ldt", "t.xlsx"))[0]["Summary"]
values = {r[0]: r[1] for r in downlight}
ratio = values.get("Light output ratio (%)")
declared = values.get("Declared light output ratio (%)")
check(ratio is not None and declared is not None and
      abs(ratio / declared - 1) < 0.01 and ratio < 100,
      f"downlight.ldt: output ratio {ratio} % against {declared} % declared")

if WINE:
    # A temporary folder named beyond ASCII, as C:\Users\Jürgen\... is; cmd
    # sets it, since Wine sets TMP itself for every program it starts.
    folder = os.path.join(WORK, "lamp")
    tmp = os.path.join(folder, "Jürgen 灯")
    os.makedirs(tmp)
    windows_tmp = "Z:" + tmp.replace("/", "\\")
    exe = "Z:" + os.path.abspath(EXE).replace("/", "\\")
    env = environment("C.UTF-8")
    env.update(WINEDEBUG="-all")
    console = run([WINE, "cmd", "/c", f'set "TMP={windows_tmp}" && '
                   f'set "TEMP={windows_tmp}" && {exe} lamp.ies'],
                  folder, "tmp.xlsx", env)
    check("Saved: tmp.xlsx" in console and os.listdir(tmp) == [] and
          cells(os.path.join(folder, "tmp.xlsx"))[0]["Table"][0] ==
          ["A", 0, 45, 90], "wine: a temporary folder beyond ASCII")

    # A name beyond ASCII in a path beyond Windows' 260 characters, saved
    # and then replaced.
    folder = os.path.join(WORK, "lamp")
    deep = os.path.join("d" * 100, "e" * 100)
    os.makedirs(os.path.join(folder, deep))
    name = "Größe-灯-" + "f" * 70 + ".xlsx"
    answer = deep.replace("/", "\\") + "\\" + name
    env = environment("C.UTF-8")
    env.update(WINEDEBUG="-all")
    for _ in range(2):
        console = run([WINE, EXE, "lamp.ies"], folder, answer, env)
        check(f"Saved: {answer}" in console, "wine: a long path saved")
    check(cells(os.path.join(folder, deep, name))[0]["Table"]
          == [["A", 0, 45, 90], [0, 100, 80, 20], [180, 100, 80, 20]],
          "wine: the long path's workbook")
    check(no_own_files(os.path.join(folder, deep)),
          "wine: no file of the tool's own left in the long path")

if not WINE:
    # A folder at once: its overview holds, for each file, the figures of
    # the file's own workbook, which is the one a run on that file writes.
    folder = os.path.join(WORK, "folder_run")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "lamps"))
    # A "#" or "%" in a name is encoded in its link.
    for example, name in (("lamp.ies", "lamp.ies"),
                          ("downlight.ies", "down #2%.ies"),
                          ("downlight.ldt", "downlight.ldt")):
        shutil.copy(os.path.join(SOURCE, "examples", example),
                    os.path.join(folder, "lamps", name))
    open(os.path.join(folder, "lamps", "bad #1%.ies"), "w").write("no tilt\n")
    console = run([TOOL, "lamps"], folder, "overview.xlsx", environment())
    book = openpyxl.load_workbook(os.path.join(folder, "overview.xlsx"))
    overview = book["Overview"]
    table = [list(r) for r in overview.iter_rows(values_only=True)]
    titles = table[0]
    check(overview.freeze_panes == "B2" and overview.auto_filter.ref ==
          "A1:R5" and [r[0] for r in table[1:]] ==
          ["bad #1%.ies", "down #2%.ies", "downlight.ldt", "lamp.ies"] and
          table[1][1] == "Tilt data not found IES invalid!" and
          all(v is None for v in table[1][2:]), "overview: rows and titles")
    links = zipfile.ZipFile(os.path.join(folder, "overview.xlsx")).read(
        "xl/worksheets/_rels/sheet1.xml.rels").decode()
    for row in table[2:]:
        name = row[0]
        single = os.path.join(folder, "single-" + name)
        os.makedirs(single)
        # The same modification time, which the workbook's creation time is.
        shutil.copy2(os.path.join(folder, "lamps", name), single)
        run([TOOL, name], single, "single.xlsx", environment())
        own = os.path.join(folder, name + ".xlsx")
        check(open(own, "rb").read() ==
              open(os.path.join(single, "single.xlsx"), "rb").read(),
              f"overview: {name}.xlsx is a single run's workbook")
        sheets = cells(own)[0]
        summary = {r[0]: r[1] for r in sheets["Summary"]}
        faults = sum(r[0] == "Fault" for r in sheets["Checks"])
        values = dict(zip(titles, row))
        check(all(values[t] == summary.get(t) for t in titles[5:-1]) and
              values["Faults"] == faults and values["Status"] == "Read" and
              values["Format"] == summary["Format"] and
              'Target="' + name.replace("%", "%25").replace("#", "%23")
              .replace(" ", "%20") + '.xlsx"' in links,
              f"overview: {name}'s row is its workbook's: {row}")
    check("Refused: bad #1%.ies: Tilt data not found IES invalid!" in console
          and "Saved: overview.xlsx" in console, "overview: the console")

    # LibreOffice prints the Summary sheet, polar diagram and all, on one
    # page: the page that holds its title holds the figures and the
    # diagram's angle labels, and no other page holds any of them.
    folder = os.path.join(WORK, "downlight_ldt")
    profile = "file://" + os.path.join(WORK, "libreoffice-profile")
    subprocess.run(["libreoffice", "--headless",
                    f"-env:UserInstallation={profile}", "--convert-to", "pdf",
                    "--outdir", folder, os.path.join(folder, "t.xlsx")],
                   capture_output=True, timeout=180, check=True)
    pdf = os.path.join(folder, "t.pdf")
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True)
    pages = int(re.search(r"Pages:\s+(\d+)", info.stdout).group(1))
    texts = [subprocess.run(["pdftotext", "-f", str(p), "-l", str(p), pdf,
                             "-"], capture_output=True, text=True).stdout
             for p in range(1, pages + 1)]
    summary = [t for t in texts if "Polar diagram (cd/klm)" in t]
    wanted = ["Luminous flux (lm)", "Field angle C90-C270, 10 % of centre",
              "Beam angle C0-C180: 113.9°", "30°", "60°",
              "90°", "500"]
    check(len(summary) == 1 and all(w in summary[0] for w in wanted) and
          sum("Luminous flux (lm)" in t for t in texts) == 1,
          "printed: Summary and its diagram on one page")

failed = len(set(failures))
print(f"{len(CASES) + 1 - failed} passed, {failed} failed")
sys.exit(1 if failures else 0)
