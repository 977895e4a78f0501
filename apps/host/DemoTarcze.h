#pragma once
// The demo charts of a new data folder: a few stored days of the demo drivers, each with its
// periods and its picture in the image folder, so that the chart list has content at first
// start. The pictures are drawn by the chart generator, so picture and periods agree.

// Adds the charts to a database that holds the demo fleet and no chart, and writes their
// pictures ("<sciezka_ob>/Image/<id_t>.bmp"). Returns the number of charts added; 0 when the
// database holds charts already. A picture that cannot be written is logged; its chart stays.
int dodajTarczeDemo();

// Beside the stored days: one chart in each state the chart window opens differently (stored
// without periods, a scan not yet read, a free day, a picture missing, added by hand), so
// that each can be opened by hand. Returns the number of charts added.
int dodajTarczeStanow();
