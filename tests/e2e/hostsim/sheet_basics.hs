# hostsim self-test: the spreadsheet host with its test add-in.
# run: sheet 11.0 14.0
open Book1
open Book2
new Book3
expect tabs Book3 Book2 Book1
expect selected Book3
click tab Book1
expect active Book1
expect selected Book1
screenshot sheet1
modify Book2
mark
click close Book2
expect message "Do you want to save the changes you made to 'Book2'?"
answer cancel
expect nomessage
expect windows Book1 Book3 Book2
click close Book2
answer no
expect tabs Book1 Book3
expect stale 0
mark
modify Book3
rightclick tab Book1
expect popup "Save All" "Visit our web site"
popup "Save All"
expect dialog Book3
dialog accept Report3
expect call "event Click(*Save All*"
# Execute saves the active document, not the one the dialog was for
expect tabs Report3 Book3
expect saved Report3 yes
expect saved Book3 no
