# A switch between two documents hands the place over (the deactivated
# window's position and size, or its maximised state, go to the window now
# active) and moves the strip into the new frame, whichever order the host
# raises WindowDeactivate and the change of ActiveWindow in: the
# documentation does not say.
# run: slide 14.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 3 ticks
frame Beta 100 80 900 600
wait 3 ticks
expect stripin Beta
# ActiveWindow names the new window before the old one is deactivated.
switchorder active-first
mark
activate Alpha
expect stripin Alpha
expect selected Alpha
expect framerect Alpha 100 80 900 600
expect call "Window[?Alpha?].Top = *"
expect framevisible Alpha yes
expect framevisible Beta no
expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
expect clear strip MDIClient
# ActiveWindow still names the old window while it is deactivated.
switchorder deactivate-first
frame Alpha 120 90 1000 700
wait 3 ticks
mark
activate Beta
expect stripin Beta
expect selected Beta
expect framerect Beta 120 90 1000 700
expect call "Window[?Beta?].Top = *"
expect framevisible Beta yes
expect framevisible Alpha no
expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
expect clear strip MDIClient
# The same by a click on a tab.
mark
click tab Alpha
expect active Alpha
expect stripin Alpha
expect framerect Alpha 120 90 1000 700
expect framevisible Beta no
# A maximised window hands its maximised state over, in either order.
maximize Alpha
wait 3 ticks
mark
activate Beta
expect stripin Beta
expect call "Window[?Beta?].WindowState = 3"
expect nocall "Window[?Beta?].Top = *"
switchorder active-first
mark
activate Alpha
expect stripin Alpha
expect call "Window[?Alpha?].WindowState = 3"
expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
expect clear strip MDIClient
expect tabs Alpha Beta
