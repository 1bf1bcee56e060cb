# Reads `perf script` lines of poll/ppoll entries and exits and of sched_switch, and prints, for the
# thread tid, each stretch between a poll's return and the next poll: its wall time and the part of
# it the thread was on a CPU (the rest it waited, preempted by other work on the machine).
# Output lines: "<wall ms> <cpu ms> <instant the stretch began>".
function secs(field) { sub(/:$/, "", field); return field + 0 }
{
    t = 0
    for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+\.[0-9]+:$/) { t = secs($i); break }
    if (t == 0) next
    if ($0 ~ /sched:sched_switch:/) {
        prev = ""; next_ = ""
        for (i = 1; i <= NF; i++) {
            if ($i ~ /^prev_pid=/) { prev = substr($i, 10) }
            if ($i ~ /^next_pid=/) { next_ = substr($i, 10) }
        }
        if (next_ == tid) onSince = t
        if (prev == tid && onSince > 0) { if (open) cpu += t - onSince; onSince = 0 }
        next
    }
    # The thread's own syscall events carry its tid after its name.
    if ($0 !~ ("[ /]" tid " ")) next
    if ($0 ~ /sys_exit_(p)?poll/) { open = 1; began = t; cpu = 0; if (onSince > 0) onSince = t }
    else if ($0 ~ /sys_enter_(p)?poll/ && open) {
        if (onSince > 0) cpu += t - onSince
        printf "%.3f %.3f %.6f\n", (t - began) * 1000, cpu * 1000, began
        open = 0
    }
}
