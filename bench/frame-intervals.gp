# frame-intervals.gp -- the frame-interval distribution at the limit of 60, game against the bare loop.
# gnuplot -e "data='intervals.dat'; output='frame-intervals.png'" frame-intervals.gp
set terminal pngcairo size 900,500
set output output
set title "Frame intervals at the frame-rate limit of 60 (0.1 ms bins, all runs)"
set xlabel "interval between displayed frames (ms)"
set ylabel "share of intervals"
set logscale y
set yrange [0.0001:1]
set xrange [15:*]
set grid
# Side by side in each bin; empty bins are left out (a log axis has no zero).
plot data using ($1 - 0.02):($2 > 0 ? $2 : 1/0) with impulses lw 3 title "game (RunFrame)", \
     data using ($1 + 0.02):($3 > 0 ? $3 : 1/0) with impulses lw 3 title "bare library loop"
