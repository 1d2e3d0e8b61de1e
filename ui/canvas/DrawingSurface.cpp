// Filled in by the drawing surface work.
