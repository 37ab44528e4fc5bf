# A thousand switches between three frames, through the host and by tab: the
# strip moves every time, every frame is docked once, and the add-in holds as
# many references on host objects, and the host process as many GDI and USER
# objects, as before. (Under Wine the windows of the host's thread stand in
# for its USER objects and its GDI handle table gives the GDI objects.)
# run: sheet 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
# The window system fills caches of its own with the first switches. Each
# pass switches four times: twice through the host, twice by a tab clicked in
# Gamma's frame; the two clicks hit different tabs, so that no two following
# clicks land on one spot within the double-click time.
repeat 10
activate Gamma
expect stripin Gamma
click tab Alpha
expect stripin Alpha
activate Gamma
expect stripin Gamma
click tab Beta
expect stripin Beta
end
wait 5 ticks
baseline
timeout 10000
repeat 250
activate Gamma
expect stripin Gamma
click tab Alpha
expect stripin Alpha
activate Gamma
expect stripin Gamma
click tab Beta
expect stripin Beta
end
wait 5 ticks
expect selected Beta
expect tabs Alpha Beta Gamma
expect layouts
expect references
expect stale 0
expect resources
