# hostsim self-test: the presentation host with its test add-in.
# run: slide 12.0 14.0
open Deck1
open Deck2
expect tabs Deck1 Deck2
expect selected Deck2
mark
click tab Deck1
expect selected Deck1
expect call "event WindowDeactivate(*Deck2*"
expect call "event WindowActivate(*Deck1*"
expect active Deck1
new Deck3
modify Deck3
expect tabs Deck1 Deck2 Deck3
click close Deck3
expect message "Do you want to save the changes you made to Deck3?"
answer yes
expect dialog Deck3
dialog cancel
expect tabs Deck1 Deck2 Deck3
click close Deck3
answer no
expect tabs Deck1 Deck2
expect stale 0
mark
close Deck2
expect call "event PresentationClose(*Deck2*"
expect tabs Deck1
screenshot slide1
