# The frame holding the strip is dragged onto monitors of other scales: the
# strip stays a quarter inch (360 twips) high at each, 36 pixels at 144 dpi
# and 48 at 192 (the presentation host's strip reaches 2 pixels further, over
# the document area's sunken edge), sits where it belongs at that scale and
# covers nothing of the document area. Back on a 96 dpi monitor every window
# in the frame, the strip too, is exactly where it was.
# run: sheet 14.0 16.0; slide 12.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
# Small enough that at twice the scale it still fits the one screen there
# is: the window system keeps a standard frame within it.
frame main 20 20 620 500
expect tabs Alpha Beta
sheet: expect size strip * 24
slide: expect size strip * 26
sheet: expect layout main docked
slide: expect edge strip bottom = MDIClient client:top
wait 3 ticks
record layout main
monitor main 144
sheet: expect size strip * 36
slide: expect size strip * 38
sheet: expect layout main docked
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect clear strip XLDESK
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
slide: expect edge strip bottom = MDIClient client:top
slide: expect clear strip MDIClient
expect clear strip MsoCommandBarDock:MsoDockTop
expect tabs Alpha Beta
expect selected Beta
screenshot dpi144
monitor main 192
sheet: expect size strip * 48
slide: expect size strip * 50
sheet: expect layout main docked
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect clear strip XLDESK
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
slide: expect edge strip bottom = MDIClient client:top
slide: expect clear strip MDIClient
expect clear strip MsoCommandBarDock:MsoDockTop
expect tabs Alpha Beta
monitor main 96
sheet: expect size strip * 24
slide: expect size strip * 26
expect layout main recorded
expect tabs Alpha Beta
expect selected Beta
# A tab clicked at the new scale still switches.
click tab Alpha
expect selected Alpha
expect active Alpha
