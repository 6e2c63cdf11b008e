# Sourced by every script of scripts/ right after "set -euo pipefail": when a command fails
# and the script is about to stop, it first says in one line on standard error which script
# and step failed and why, for example
#   run.sh: line 21: 'cmake --build build-release -j2' failed (status 2)
# The failing command's own messages come before it. Failures inside functions and command
# substitutions are reported once, by the command of the script itself that failed.
set -o errtrace

report_failure() {
    local status=$1 line=$2 command=$3 why
    # A command substitution inherits the trap; the script's own command reports it.
    [ "$BASH_SUBSHELL" -eq 0 ] || return 0
    why="status $status"
    case $status in
    126) why="$why: the command cannot be run" ;;
    127) why="$why: the command is not installed" ;;
    esac
    echo "$(basename "$0"): line $line: '$command' failed ($why)" >&2
}
trap 'report_failure $? $LINENO "$BASH_COMMAND"' ERR
