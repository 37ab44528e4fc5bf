# The idle tick at 1, 10 and 100 tabs against the bare host calls it must
# make, where every workbook has a frame of its own. A thousand frames, each
# with its ribbon, formula bar and document area, is more than the test host
# can open under Wine in reasonable time: this stops at 100.
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
wait 10 ticks
bench start
wait 3000
bench idle tabs100
bench hostcalls 100 tabs100
