# Closing the workbook whose frame holds the strip takes the strip's parent
# away: the add-in docks in the new active frame on its next tick. The last
# window's frame stays, empty, and keeps the strip.
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
expect stripin Gamma
mark
click close Gamma
expect tabs Alpha Beta
expect call "Window[?Gamma?].Close()"
expect active Beta
expect stripin Beta
expect selected Beta
expect rect@Beta strip 0 116 986 140
expect layout Beta docked
# An unsaved one: the host asks first; cancelling keeps everything.
modify Beta
click close Beta
expect message "Do you want to save the changes you made to 'Beta'?"
answer cancel
expect nomessage
wait 3 ticks
expect tabs Alpha Beta
expect stripin Beta
# Through the host.
close Beta
expect tabs Alpha
expect stripin Alpha
expect selected Alpha
expect layout Alpha docked
wait 2 ticks
expect stale 0
# A frame that does not hold the strip closes: nothing moves.
open Delta
wait 2 ticks
expect stripin Delta
activate Alpha
expect stripin Alpha
close Delta
wait 3 ticks
expect stripin Alpha
expect tabs Alpha
# The last window: its frame stays, empty, with the strip and its room.
close Alpha
expect tabs
imitation: expect hwnd empty
imitation: expect stripin empty
expect layout empty docked
open Epsilon
expect tabs Epsilon
expect stripin Epsilon
expect selected Epsilon
expect layout Epsilon docked
expect rect@Epsilon strip 0 116 986 140
wait 2 ticks
expect stale 0
