// Replaced as the geometry lands.
