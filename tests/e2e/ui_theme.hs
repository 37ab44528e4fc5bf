# From version 15 the user's Office theme is the value "UI Theme" of
# HKCU\Software\Microsoft\Office\<version>\Common: the dark ones (2, 3, 4)
# give the strip a dark background, any other value the light one. Version
# 14 reads "Theme", not "UI Theme". The add-in reads it as it loads the strip,
# so each value is given before the add-in is switched on again. (One
# document: on 14 the presentation add-in switched on again takes the
# topmost frame of its own, and switching it off shows the frames it hid.)
# run: sheet 14.0 15.0 16.0; slide 14.0 15.0 16.0
theme 4
start
open Alpha
wait 3 ticks
expect tabs Alpha
v>=15: expect stripshade dark
v<15: expect stripshade light
v>=15: screenshot dark4
disconnect
wait 2 ticks
theme 0
connect
wait 5 ticks
expect stripshade light
disconnect
wait 2 ticks
theme 3
connect
wait 5 ticks
v>=15: expect stripshade dark
v<15: expect stripshade light
disconnect
wait 2 ticks
theme 2
connect
wait 5 ticks
v>=15: expect stripshade dark
v<15: expect stripshade light
disconnect
wait 2 ticks
theme 5
connect
wait 5 ticks
expect stripshade light
disconnect
wait 2 ticks
theme 1
connect
wait 5 ticks
expect stripshade light
v>=15: screenshot light1
# The version's own name decides: "UI Theme" means nothing to version 14,
# "Theme" nothing to 15 and later.
disconnect
wait 2 ticks
v<15: theme 4 "UI Theme"
v>=15: theme 4 Theme
v>=15: theme 0
connect
wait 5 ticks
expect stripshade light
