# Another instance of the host, in a process of its own, with a frame of the
# host's own class and the children such a frame has, in front of ours
# before the add-in connects and again during the session. The add-in never
# moves, sizes, re-parents, shows or hides that frame or anything in it,
# never puts its strip there, and leaves the keyboard with it while the user
# works in it; the strip lives in our frame throughout.
# run: sheet 14.0 16.0; slide 12.0 14.0 16.0
second open Other
expect front second
start
open Alpha
wait 2 ticks
open Beta
wait 3 ticks
expect stripin Beta
expect strip visible
expect tabs Alpha Beta
expect selected Beta
sheet: expect edge strip bottom = EXCEL; bottom
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
expect second untouched
# The user clicks the other instance: it stays in front while ours idles.
second front
expect front second
wait 10 ticks
expect front second
expect second untouched
expect stripin Beta
expect tabs Alpha Beta
# Back to our host, to another document.
activate Alpha
expect stripin Alpha
expect selected Alpha
wait 3 ticks
expect second untouched
# The add-in switched off and on again with the other instance in front:
# it finds its own frame, not the one in front. (One document: on 14 the
# presentation add-in takes the topmost frame of its own, and switching it
# off shows the frames it hid.)
close Beta
wait 3 ticks
expect tabs Alpha
second front
disconnect
wait 3 ticks
connect
wait 5 ticks
expect stripin Alpha
expect strip visible
expect tabs Alpha
sheet: expect edge strip bottom = EXCEL; bottom
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
expect second untouched
# A document opened in ours while the other instance is in front.
second front
wait 3 ticks
open Gamma
wait 5 ticks
expect tabs Alpha Gamma
expect stripin Gamma
expect second untouched
second close
wait 3 ticks
expect stripin Gamma
