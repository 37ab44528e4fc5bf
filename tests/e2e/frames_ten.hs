# Ten switches back and forth between two frames, by tab and through the
# host: each frame is docked once (never twice) or as the host laid it out.
# A frame the host lays out again while the strip is elsewhere is docked
# afresh when it becomes active.
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
expect stripin Gamma
repeat 5
# Clicks on one spot closer together than the double-click time would be a
# double click.
wait 500
click tab Alpha
expect stripin Alpha
expect selected Alpha
expect rect@Alpha strip 0 116 986 140
expect layout Alpha docked
expect layouts
activate Beta
expect stripin Beta
expect selected Beta
expect rect@Beta strip 0 116 986 140
expect layout Beta docked
expect layout Alpha docked
expect layouts
end
# Alpha's frame resized while the strip is in Beta's: the host's layout is
# back there, and the add-in leaves it alone until Alpha is active.
frame Alpha 40 30 840 630
expect layout Alpha original
wait 3 ticks
expect layout Alpha original
expect stripin Beta
click tab Alpha
expect stripin Alpha
expect layout Alpha docked
expect rect@Alpha strip 0 116 786 140
expect rect@Alpha XLDESK 0 140 612 *
expect layout Beta docked
expect layouts
expect tabs Alpha Beta Gamma
