# The presentation host raises WindowDeactivate and WindowActivate for the
# application itself, the active window unchanged, when it is minimised and
# restored and when the user goes to another program and back. Then the
# add-in hands no place over (no WindowState, Top, Left, Width or Height
# written), re-docks nothing (the strip is neither re-parented, hidden nor
# shown) and shows or hides no frame; every frame stays where it was.
# run: slide 12.0 14.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 3 ticks
expect stripin Beta
expect selected Beta
record frames
watch
mark
minimize
expect call "event WindowDeactivate(*Beta*"
wait 5 ticks
restore
expect call "event WindowActivate(*Beta*"
wait 5 ticks
expect active Beta
expect stripin Beta
expect selected Beta
expect untouched strip
expect untouched frames
expect frames unchanged
expect nocall "*.WindowState = *"
expect nocall "*.Top = *"
expect nocall "*.Left = *"
expect nocall "*.Width = *"
expect nocall "*.Height = *"
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
expect clear strip MDIClient
# Another program in front, then back to the host.
mark
away
expect front other
expect call "event WindowDeactivate(*Beta*"
wait 5 ticks
expect front other
back
expect call "event WindowActivate(*Beta*"
wait 5 ticks
expect front Beta
expect stripin Beta
expect untouched strip
expect untouched frames
expect frames unchanged
expect nocall "*.WindowState = *"
expect nocall "*.Top = *"
expect nocall "*.Left = *"
expect nocall "*.Width = *"
expect nocall "*.Height = *"
# Away while minimised, back by restoring.
mark
minimize
away
wait 3 ticks
restore
wait 5 ticks
expect stripin Beta
expect untouched strip
expect untouched frames
expect frames unchanged
expect nocall "*.WindowState = *"
expect nocall "*.Top = *"
expect nocall "*.Left = *"
expect nocall "*.Width = *"
expect nocall "*.Height = *"
# A maximised document: minimising and restoring it leaves it maximised.
frames: maximize Beta
wait 3 ticks
frames: record frames
watch
mark
minimize
wait 3 ticks
restore
wait 5 ticks
away
wait 3 ticks
back
wait 5 ticks
expect stripin Beta
expect untouched strip
expect untouched frames
expect frames unchanged
expect nocall "*.WindowState = *"
expect nocall "*.Top = *"
expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
screenshot restored
