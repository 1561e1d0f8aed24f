#!/bin/sh
# Runs one test in a fresh working directory with its own home, settings store
# and runtime directory, so that no test touches a user's files or another
# test's state. The directory is removed afterwards. (Under ctest -T memcheck
# the memory checker starts this script and follows it into the test.)
dir=$(mktemp -d "${TMPDIR:-/tmp}/rlx-test.XXXXXX") || exit 1
mkdir -p "$dir/config" "$dir/runtime" "$dir/work"
chmod 700 "$dir/runtime"
cd "$dir/work" || exit 1
HOME="$dir" XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime" "$@"
rc=$?
cd / && rm -rf "$dir"
exit $rc
