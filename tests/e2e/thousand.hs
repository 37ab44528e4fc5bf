# A thousand documents opened and closed: afterwards the add-in holds no host
# object and the host process has as many GDI and USER objects as before.
# (Under Wine the windows of the host's thread stand in for its USER objects
# and its GDI handle table gives the GDI objects.) The first documents a host
# shows fill caches of the window system for good (some 20 to 40 GDI objects
# under Wine, then no more however many follow; the host shows it without the
# add-in too), so the count to come back to is taken after twenty of them.
# On a busy machine a cache may still grow by a few objects later, once: a
# few are allowed, where a leak per document would leave a thousand.
# run: sheet 14.0; slide 14.0
# arch: win64
open Base
wait 5 ticks
expect tabs Base
repeat 2
repeat 10
open "W{i}"
end
wait 2 ticks
repeat 10
close "W{i}"
end
expect tabs Base
end
wait 5 ticks
baseline
timeout 10000
repeat 100
repeat 10
open "D{i}"
end
wait 2 ticks
sheet: expect tabs Base D10 D9 D8 D7 D6 D5 D4 D3 D2 D1
slide: expect tabs Base D1 D2 D3 D4 D5 D6 D7 D8 D9 D10
repeat 10
close "D{i}"
end
expect tabs Base
end
wait 5 ticks
expect stale 0
expect resources within 8
