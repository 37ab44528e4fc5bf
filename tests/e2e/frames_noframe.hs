# While no workbook frame is in front (a Protected View window, or a host
# whose Application.Hwnd fails) the strip stays where it is with every tab;
# it follows again as soon as an active workbook frame is there.
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
expect stripin Beta
expect layout Beta docked
protectedview on
expect hwnd protected
expect active none
wait 5 ticks
expect stripin Beta
expect strip visible
expect tabs Alpha Beta
expect layout Beta docked
expect layouts
# The user goes back to a workbook.
activate Alpha
expect hwnd Alpha
expect stripin Alpha
expect selected Alpha
protectedview off
wait 3 ticks
expect stripin Alpha
# Application.Hwnd fails for a while.
hwndfails on
activate Beta
wait 5 ticks
expect stripin Alpha
expect strip visible
expect tabs Alpha Beta
expect layouts
hwndfails off
expect stripin Beta
expect selected Beta
expect rect@Beta strip 0 116 986 140
expect layout Beta docked
expect layout Alpha docked
