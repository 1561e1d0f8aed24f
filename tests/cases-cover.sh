#!/bin/sh
# A test executable that runs as several ctest tests, each with some of its
# test functions: every function it has must be in one of them, or a function
# added later would never run. Arguments: the executable, then the functions
# the cases name (a data row's tag after ":" is ignored).
test_binary=$1
shift
listed=$(for f in "$@"; do printf '%s\n' "${f%%:*}"; done | sort -u)
missing=0
for f in $("$test_binary" -functions | sed -n 's/()$//p'); do
    if ! printf '%s\n' "$listed" | grep -qx "$f"; then
        echo "$f is in no ctest case of $(basename "$test_binary")"
        missing=1
    fi
done
exit $missing
