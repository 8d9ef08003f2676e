# Sanitizer settings for running the tests of build-asan by hand:
#   source scripts/sanitizer-env.sh && xvfb-run -a ctest --test-dir build-asan
# Every report ends the program with an error; leak checking stays on, with
# suppressions only for leaks inside system libraries that Qt loads.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/support/lsan.supp:print_suppressions=0
unset root
