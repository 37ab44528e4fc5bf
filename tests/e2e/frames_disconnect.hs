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
# Connecting again is a start-up: the first visible workbook is activated and
# the strip docks in its frame.
connect
expect strip visible
expect active Alpha
expect stripin Alpha
expect tabs Alpha Beta Gamma
expect layout Alpha docked
expect layout Gamma original
expect layouts
# A frame the host laid out again since it was docked is left as it is.
activate Beta
expect stripin Beta
expect layout Beta docked
frame Alpha 40 30 940 710
expect layout Alpha original
disconnect
expect strip missing
expect layouts
expect layout Alpha original
expect layout Beta original
expect rect@Beta XLDESK 0 116 812 650
