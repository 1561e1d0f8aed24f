#!/bin/sh
# Runs one test in a fresh working directory with its own home, settings store
# and runtime directory, so that no test touches a user's files or another
# test's state. The directory is removed afterwards. (Under ctest -T memcheck
# the memory checker starts this script and follows it into the test.)
dir=$(mktemp -d "${TMPDIR:-/tmp}/rlx-test.XXXXXX") || exit 1
mkdir -p "$dir/config" "$dir/runtime" "$dir/work" "$dir/lock"
chmod 700 "$dir/runtime"
chmod 1777 "$dir/lock" # as /run/lock: any user's program may lock
cd "$dir/work" || exit 1
# Port locks too: a test's programs meet each other's locks, never those of
# another test that had the same pseudo-terminal number a moment before.
HOME="$dir" XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime" \
    RLX_LOCK_DIR="$dir/lock" "$@"
rc=$?
cd / && rm -rf "$dir"
exit $rc
