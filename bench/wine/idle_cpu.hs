# The host's CPU time while it idles with 30 documents, with the add-in
# connected and, for comparison, without it.
repeat 30
open "P{i}"
end
wait 20 ticks
bench start
wait 5000
bench idle addin
disconnect
wait 5 ticks
bench start
wait 5000
bench idle hostonly
