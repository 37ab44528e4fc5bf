# Drag, context menu and a resize with the strip in a frame that is not the
# first one.
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
open Delta
wait 2 ticks
activate Beta
expect stripin Beta
expect selected Beta
drag tab Alpha to tab Gamma
expect tabs Beta Gamma Alpha Delta
expect active Alpha
expect selected Alpha
expect stripin Alpha
activate Gamma
expect stripin Gamma
drag tab Delta to tab Beta
expect tabs Delta Beta Gamma Alpha
expect selected Delta
expect stripin Delta
expect layouts
# The context menu from the strip in Delta's frame.
modify Gamma
mark
rightclick tab Beta
expect popup "Save All" "Visit our web site"
popup "Save All"
expect nopopup
expect call "Workbook[?Gamma?].Save()"
expect saved Gamma yes
expect stripin Delta
# Resizing the frame that holds the strip: the host lays it out again, the
# add-in makes room again, once, and the strip takes the frame's width.
frame Delta 200 150 1000 750
expect framerect Delta 200 150 1000 750
expect rect@Delta strip 0 116 786 140
expect rect@Delta EXCEL; 0 92 792 140
expect rect@Delta XLDESK 0 140 612 *
expect layout Delta docked
expect layouts
frame Delta 200 150 1100 750
expect rect@Delta strip 0 116 886 140
expect layout Delta docked
expect framerect Delta 200 150 1100 750
expect tabs Delta Beta Gamma Alpha
