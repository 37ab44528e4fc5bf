# The strip follows the host's width: (points x 20 - 80) / 15 pixels wide.
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
expect rect strip 0 * 994 *
hostwidth 600
expect rect strip 0 * 794 *
hostwidth 900
expect rect strip 0 * 1194 *
expect tabs Alpha Beta
screenshot resized
