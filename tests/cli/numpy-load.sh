#!/bin/sh
# NumPy's own numpy.load reads the renderer's .npy: its shape and type, and
# the PGM's colour values graded from its exponents.
set -eu
render=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
for name in e.npy g.pgm; do
    "$render" -q --size 30x20 --iterations 40 --settle 3 --contrast 300 -o "$dir/$name"
done
/usr/bin/python3 - "$dir" <<'PYTHON'
import sys, numpy
e = numpy.load(sys.argv[1] + "/e.npy")
g = numpy.fromfile(sys.argv[1] + "/g.pgm", dtype=numpy.uint8)[-600:].reshape(20, 30)
assert e.shape == (20, 30) and e.dtype == numpy.dtype("<f8"), (e.shape, e.dtype)
assert (numpy.where(e <= 0, numpy.clip(numpy.trunc(e * -300.0), 0, 255), 255) == g).all()
PYTHON
