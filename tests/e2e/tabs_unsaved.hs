# A tab shows a dot in place of its close image while its document has
# unsaved changes (the tick reads the document's Saved). The dot goes when
# the document is saved through the host, when someone sets Saved again, and
# with the tab when the document closes; the pointer on the dot shows the
# close image. Screen readers hear ", unsaved" after the tab's name.
# run: sheet 14.0 16.0; slide 14.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
new Gamma
wait 2 ticks
expect tabs Alpha Beta Gamma
expect unsaved Alpha no
expect unsaved Beta no
expect unsaved Gamma no
expect closeimage Alpha cross
expect closeimage Gamma cross
# Modified: the dot, on that tab alone.
modify Beta
expect unsaved Beta yes
expect closeimage Beta dot
expect unsaved Alpha no
expect closeimage Alpha cross
expect closeimage Gamma cross
# The pointer on the dot shows the close image it stands for.
hover close Beta
expect closeimage Beta hover
leave
expect closeimage Beta dot
# Saved through the host: the dot goes.
save Beta
expect unsaved Beta no
expect closeimage Beta cross
# A new document, saved for the first time.
modify Gamma
expect unsaved Gamma yes
expect closeimage Gamma dot
save Gamma
expect unsaved Gamma no
expect closeimage Gamma cross
# Saved set again by someone else (a macro discarding the changes).
modify Alpha
expect unsaved Alpha yes
saved Alpha
expect unsaved Alpha no
# Every window of the document shows it.
newwindow Alpha Alpha:2
wait 2 ticks
expect tabs Alpha Beta Gamma Alpha:2
modify Alpha
expect unsaved Alpha yes
expect unsaved Alpha:2 yes
expect unsaved Beta no
save Alpha
expect unsaved Alpha no
expect unsaved Alpha:2 no
close Alpha:2
wait 2 ticks
expect tabs Alpha Beta Gamma
# Nothing is read while the host is busy; once it answers, the dot comes.
busy on
modify Beta
wait 5 ticks
imitation: expect unsaved Beta no
busy off
expect unsaved Beta yes
# Closed with its changes (the host asked nothing): the tab goes. Opened
# again from its file, in the place the old tab left, it has no dot.
close Beta
wait 2 ticks
expect tabs Alpha Gamma
open Beta
wait 2 ticks
expect tabs Alpha Gamma Beta
expect unsaved Beta no
expect closeimage Beta cross
wait 3 ticks
expect unsaved Beta no
expect stale 0
