# The idle tick at 1, 10, 100 and 1000 tabs against the bare host calls it
# must make, with the repaints and CPU time of each idle stretch.
timeout 60000
open "T1"
wait 5 ticks
bench hostcalls 50 warmup
bench start
wait 3000
bench idle tabs1
bench hostcalls 200 tabs1
repeat 9
open "U{i}"
end
wait 5 ticks
bench start
wait 3000
bench idle tabs10
bench hostcalls 200 tabs10
repeat 90
open "V{i}"
end
wait 5 ticks
bench start
wait 3000
bench idle tabs100
bench hostcalls 100 tabs100
repeat 900
open "W{i}"
end
wait 20 ticks
bench start
wait 4000
bench idle tabs1000
bench hostcalls 50 tabs1000
