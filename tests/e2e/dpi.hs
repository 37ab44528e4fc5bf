# At 120 dots per inch the strip is 360 twips = 30 pixels high, and the
# host's document area moves down by as much.
# dpi: 120
# run: sheet 14.0; slide 14.0
open Alpha
wait 2 ticks
open Beta
expect tabs Alpha Beta
sheet: expect size strip * 30
slide: expect size strip * 32
sheet: expect rect XLDESK 0 146 * *
slide: expect rect MDIClient 0 140 * *
screenshot dpi120
