# While the presentation add-in asks whether to save (its prompt, then the
# host's Save As dialog), the host's message loop runs under it. A click on
# the strip closes nothing; a window the host activates meanwhile gets the
# strip once the prompt is answered; a host that switches the add-in off and
# lets it go meanwhile keeps running when the prompt is answered, and nothing
# is saved or closed for an add-in that is gone.
# run: slide 12.0 14.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
new Gamma
wait 2 ticks
expect tabs Alpha Beta Gamma
modify Gamma
mark
click close Gamma
expect message "Do you want to save the changes you made to Gamma?"
# The host is modal to the prompt: a click on another tab's close image does nothing.
click close Alpha
wait 3 ticks
expect message "Do you want to save the changes you made to Gamma?"
expect windows Alpha Beta Gamma
expect nocall "*Alpha*Close*"
# The host activates another window under the prompt: the strip stays with
# the prompt's frame until the prompt is answered.
activate Alpha
wait 3 ticks
frames: expect stripin Gamma
answer cancel
expect nomessage
expect selected Alpha
frames: expect stripin Alpha
expect tabs Alpha Beta Gamma
expect windows Alpha Beta Gamma
# Switched off and let go under the prompt, then answered Yes.
click close Gamma
expect message "Do you want to save the changes you made to Gamma?"
disconnect
answer yes
expect nomessage
expect nodialog
wait 3 ticks
expect windows Alpha Beta Gamma
expect saved Gamma no
expect strip gone
connect
expect tabs Alpha Beta Gamma
activate Beta
activate Gamma
frames: expect stripin Gamma
# The same under the Save As dialog.
click close Gamma
expect message "Do you want to save the changes you made to Gamma?"
answer yes
expect dialog Gamma
disconnect
dialog accept
expect nodialog
wait 3 ticks
expect windows Alpha Beta Gamma
expect strip gone
connect
expect tabs Alpha Beta Gamma
activate Beta
activate Gamma
frames: expect stripin Gamma
# The add-in still closes what the user confirms.
click close Gamma
answer no
expect tabs Alpha Beta
expect windows Alpha Beta
wait 2 ticks
expect stale 0
