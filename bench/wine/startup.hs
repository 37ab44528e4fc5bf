# Connection time with no document and with 50 open, and one full repaint
# of the strip at 50 tabs.
wait 5 ticks
bench connect 20 docs0
repeat 50
open "Doc {i}"
end
wait 10 ticks
bench connect 20 docs50
wait 10 ticks
bench repaint 50 tabs50
