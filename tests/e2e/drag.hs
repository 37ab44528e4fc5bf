# Dragging a tab onto another gives it that tab's place and activates it;
# the host's own window order stays as it was.
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
open Delta
wait 2 ticks
activate Beta
expect selected Beta
mark
drag tab Alpha to tab Gamma
expect tabs Beta Gamma Alpha Delta
expect active Alpha
expect selected Alpha
drag tab Delta to tab Beta
expect tabs Delta Beta Gamma Alpha
expect selected Delta
slide: expect windows Alpha Beta Gamma Delta
