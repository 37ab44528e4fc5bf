# The close image of a tab closes its window. The spreadsheet host asks about
# unsaved changes itself; the presentation add-in asks with its own prompt.
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
new Gamma
wait 2 ticks
mark
click close Alpha
expect tabs Beta Gamma
expect nomessage
expect call "Window[?Alpha?].Close()"
modify Gamma
click close Gamma
sheet: imitation: expect message "Do you want to save the changes you made to 'Gamma'?"
sheet: expect message *
slide: expect message "Do you want to save the changes you made to Gamma?"
answer cancel
expect nomessage
wait 3 ticks
expect tabs Beta Gamma
# Yes on a never-saved document asks for a name; cancelling keeps it open.
click close Gamma
slide: answer yes
slide: expect dialog Gamma
slide: dialog cancel
slide: wait 3 ticks
slide: expect tabs Beta Gamma
slide: click close Gamma
answer no
expect tabs Beta
wait 2 ticks
expect stale 0
# Yes saves first, under the name chosen in the Save As dialog.
new Delta
wait 2 ticks
modify Delta
expect tabs Beta Delta
mark
click close Delta
sheet: answer yes
slide: answer yes
slide: dialog accept Final
slide: expect call "dialog accepted ?Final?"
expect tabs Beta
