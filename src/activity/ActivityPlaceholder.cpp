// Replaced as the records land.
