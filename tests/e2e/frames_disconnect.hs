# Disconnection gives every frame the add-in made room in its layout back
# and leaves no window behind; connecting again docks in the active frame.
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
click tab Alpha
expect stripin Alpha
activate Beta
expect stripin Beta
expect layout Alpha docked
expect layout Beta docked
expect layout Gamma docked
disconnect
expect strip missing
expect layout Alpha original
expect layout Beta original
expect layout Gamma original
expect rect@Alpha XLDESK 0 116 812 650
expect rect@Beta EXCEL; 0 92 992 116
wait 3 ticks
expect stale 0
connect
expect strip visible
expect stripin Beta
expect tabs Alpha Beta Gamma
expect layout Beta docked
expect layout Alpha original
expect layout Gamma original
# A frame the host laid out again since it was docked is left as it is.
click tab Alpha
expect stripin Alpha
frame Beta 66 56 966 736
disconnect
expect strip missing
expect layouts
expect layout Alpha original
expect layout Beta original
