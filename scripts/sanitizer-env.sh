# Sourced by test.sh --sanitize and scripts/fuzz.sh: how the sanitizers report.
# Every report stops the process with a failing status, with a symbolised stack.
sanitizer_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/sanitizer"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$sanitizer_dir/lsan.supp:print_suppressions=0"
