# A thousand documents opened and closed: afterwards the add-in holds no host
# object and the host process has as many GDI and USER objects as before.
# (Wine does not count GDI objects per process; there the windows of the
# host's thread stand in for its USER objects and GDI is reported as 0.)
# run: sheet 14.0; slide 14.0
# arch: win64
open Base
wait 5 ticks
expect tabs Base
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
expect resources
