# The active presentation closed through the host (not by its tab) while
# others are open: the host goes to the one used last, whose frame the add-in
# hid when the strip left it. The strip, made anew after going down with the
# closed frame, is docked there and the frame is shown; the host is not shut
# down and the other documents stay open.
# run: slide 12.0 14.0 16.0
open P1
open P2
open P3
wait 5 ticks
expect tabs P1 P2 P3
close P3
wait 5 ticks
expect tabs P1 P2
expect active P2
expect strip visible
expect framevisible P2 yes
expect selected P2
close P2
wait 5 ticks
expect tabs P1
expect active P1
expect strip visible
expect framevisible P1 yes
