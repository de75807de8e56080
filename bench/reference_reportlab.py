#!/usr/bin/python3
"""What a Python user would write instead: the schedule's CSV rows
(accrua-cli ... --csv FILE) drawn as a table with reportlab's canvas, 50 rows
to a Letter page, in Liberation Mono embedded as a TrueType subset (Debian's
python3-reportlab and fonts-liberation).

    reference_reportlab.py ROWS.csv OUT.pdf
"""
import csv
import sys

from reportlab.lib.pagesizes import letter
from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

FONTS = "/usr/share/fonts/truetype/liberation/"


def main(rows_path, out_path):
    pdfmetrics.registerFont(TTFont("Mono", FONTS + "LiberationMono-Regular.ttf"))
    pdfmetrics.registerFont(TTFont("MonoBold", FONTS + "LiberationMono-Bold.ttf"))
    with open(rows_path, newline="") as f:
        reader = csv.reader(f)
        header = next(reader)
        rows = list(reader)
    right = [72, 200, 290, 380, 470, 576]
    c = canvas.Canvas(out_path, pagesize=letter)
    width, height = letter
    for start in range(0, len(rows), 50):
        y = height - 48
        c.setFont("MonoBold", 8)
        for x, text in zip(right, header):
            c.drawRightString(x, y, text)
        c.setFont("Mono", 8)
        for row in rows[start:start + 50]:
            y -= 13
            for x, text in zip(right, row):
                c.drawRightString(x, y, text)
        c.drawCentredString(width / 2, 30, "Page %d" % (start // 50 + 1))
        c.showPage()
    c.save()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
