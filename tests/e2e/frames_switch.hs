# The strip follows the active window from frame to frame, whether the user
# switches with a tab or through the host; the frame it leaves keeps its room.
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
expect tabs Alpha Beta Gamma
expect selected Gamma
expect stripin Gamma
expect layout Gamma docked
mark
click tab Alpha
expect active Alpha
expect hwnd Alpha
expect stripin Alpha
expect selected Alpha
expect call "Window[?Alpha?].Activate()"
expect rect@Alpha strip 0 116 986 140
expect rect@Alpha XLDESK 0 140 812 *
expect layout Alpha docked
expect layout Gamma docked
expect tabs Alpha Beta Gamma
# Through the host.
activate Beta
expect stripin Beta
expect selected Beta
expect rect@Beta strip 0 116 986 140
expect layout Beta docked
expect layouts
# The user clicks into a frame behind: its left edge shows beside the others.
click screen 50 400
imitation: expect active Alpha
imitation: expect stripin Alpha
imitation: expect selected Alpha
expect layouts
screenshot switched
