# A click on a tab activates its window in the host.
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
expect selected Gamma
mark
click tab Alpha
expect active Alpha
expect selected Alpha
expect call "Window[?Alpha?].Activate()"
slide: expect call "event WindowActivate(*Alpha*"
click tab Beta
expect active Beta
expect selected Beta
# Hovering shows the highlight and leaves the selection alone.
hover tab Gamma
screenshot hover
leave
wait 3 ticks
expect selected Beta
expect tabs Alpha Beta Gamma
