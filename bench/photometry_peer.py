#!/usr/bin/python3
"""The peer of `orvane-cli photometry` in the photometry benchmark: the same job with astropy
and photutils.

    photometry_peer.py FOLDER --comp X,Y --var X,Y --check X,Y -o OUT

For each FITS file of FOLDER (".fit", ".fts", ".fits" in any letter case, sorted by name): read
with astropy.io.fits, re-centre each star on the brightest 3 x 3 box within 15 pixels of where
it was last found, measure it in a circular aperture of radius 3 less the median of the annulus
10..20 times the aperture's area (photutils), and write one line per frame to OUT:
date, time, exposure, the three instrumental magnitudes and the path.
"""

import argparse
import math
import os
import sys

import numpy as np
from astropy.io import fits
from photutils.aperture import (ApertureStats, CircularAnnulus, CircularAperture,
                                aperture_photometry)

SPAN = 15  # half-width of the re-centring search, pixels
HALF_BOX = 1  # the 3 x 3 box
FACTOR = 2.511886432  # the magnitude factor of the program measured against


def position(text):
    x, y = text.split(",")
    return int(x), int(y)


def recentred(data, x, y):
    """The centre of the brightest 3 x 3 box whose centre lies within SPAN of (x, y)."""
    height, width = data.shape
    reach = SPAN + HALF_BOX
    x0, x1 = max(x - reach, 0), min(x + reach + 1, width)
    y0, y1 = max(y - reach, 0), min(y + reach + 1, height)
    cut = data[y0:y1, x0:x1].astype(np.float64)
    boxes = np.lib.stride_tricks.sliding_window_view(cut, (2 * HALF_BOX + 1, 2 * HALF_BOX + 1))
    sums = boxes.sum(axis=(2, 3))
    row, column = np.unravel_index(np.argmax(sums), sums.shape)
    return x0 + column + HALF_BOX, y0 + row + HALF_BOX


def magnitudes(data, stars):
    centres = [(float(x), float(y)) for x, y in stars]
    aperture = CircularAperture(centres, r=3)
    annulus = CircularAnnulus(centres, r_in=10, r_out=20)
    sky = ApertureStats(data, annulus).median
    table = aperture_photometry(data, aperture)
    net = np.asarray(table["aperture_sum"]) - sky * aperture.area
    return [20 - FACTOR * math.log10(n) if n > 0 else float("nan") for n in net]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--comp", type=position, required=True)
    parser.add_argument("--var", type=position, required=True)
    parser.add_argument("--check", type=position, required=True)
    parser.add_argument("-o", dest="out", required=True)
    args = parser.parse_args()

    names = sorted(n for n in os.listdir(args.folder)
                   if n.lower().endswith((".fit", ".fts", ".fits")))
    stars = [args.comp, args.var, args.check]
    with open(args.out, "w", newline="") as out:
        for name in names:
            path = os.path.abspath(os.path.join(args.folder, name))
            with fits.open(path) as hdul:
                header = hdul[0].header
                data = hdul[0].data.astype(np.float64)
            stars = [recentred(data, x, y) for x, y in stars]
            comp, var, check = magnitudes(data, stars)
            out.write("%s %s %03d Check=%06.2f Comp=%06.2f Var=%06.2f %s\r\n" %
                      (header.get("DATE-OBS", "00/00/00"), header.get("UT", "00:00:00"),
                       int(header.get("EXPTIME", 0)), check, comp, var, path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
