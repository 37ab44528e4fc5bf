# Frames side by side and overlapping: switching and closing move the strip
# between them, and the add-in never moves or resizes a frame. The strip is
# as wide as the client area of the frame it is in, less 80 twips.
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
arrange sidebyside Alpha Beta
activate Beta
expect stripin Beta
expect framerect Alpha 0 0 640 680
expect framerect Beta 640 0 1280 680
record frames
expect rect@Beta strip 0 116 626 140
expect layout Beta docked
click tab Alpha
expect stripin Alpha
expect rect@Alpha strip 0 116 626 140
expect layout Alpha docked
click tab Beta
expect stripin Beta
click tab Gamma
expect stripin Gamma
click tab Alpha
expect stripin Alpha
wait 3 ticks
expect frames unchanged
expect layouts
screenshot sidebyside
# Overlapping.
arrange overlap Alpha Beta
activate Beta
expect stripin Beta
record frames
click tab Alpha
expect stripin Alpha
activate Beta
expect stripin Beta
close Gamma
wait 3 ticks
expect frames unchanged
expect framerect Alpha 20 20 1020 700
expect framerect Beta 220 160 1220 840
expect layouts
