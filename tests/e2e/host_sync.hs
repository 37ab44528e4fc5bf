# The strip follows what happens in the host: new documents, renames,
# closes, activation, a host that is busy or reports no active window.
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
expect tabs Alpha Beta Gamma
expect selected Gamma
activate Alpha
expect selected Alpha
rename Beta Bravo
expect tabs Alpha Bravo Gamma
close Bravo
expect tabs Alpha Gamma
wait 2 ticks
expect stale 0
# While the host rejects every call, nothing changes; afterwards it catches up.
busy on
open Delta
wait 2 ticks
wait 5 ticks
imitation: expect tabs Alpha Gamma
busy off
expect tabs Alpha Gamma Delta
expect selected Delta
noactive
wait 3 ticks
expect tabs Alpha Gamma Delta
newwindow Alpha Alpha:2
expect tabs Alpha Gamma Delta Alpha:2
expect selected Alpha:2
close Alpha
close Gamma
close Delta
close Alpha:2
expect tabs
wait 2 ticks
expect stale 0
