#!/bin/sh
# Writes the reference values of the sample VAMAS files as an independent
# reader (xyconv of libxy-bin) sees them: per block a line "### block", then
# one line per point with the abscissa as written in the file and the first
# ordinate column. Run from this folder:
#   sh make_vamas_references.sh ../../../../shared/samples/vamas
set -e
samples=${1:-../../../../shared/samples/vamas}
for f in binding-axis-lf descending-kinetic-4-blocks five-regions map-7-blocks survey-regular; do
  xyconv -t vamas "$samples/$f.vms" - |
    awk '/^### block/ { print "### block"; next } /^#/ { next } NF >= 2 { print $1 "\t" $2 }' \
    > "$f.ref"
done
