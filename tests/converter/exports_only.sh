#!/bin/sh
# Passes when the shared library $1 exports exactly the one symbol $2.
exported=$(nm -D --defined-only "$1" | awk '{ print $3 }')
if [ "$exported" = "$2" ]; then
  echo "only $2 is exported"
  exit 0
fi
echo "exported symbols:"
echo "$exported"
exit 1
