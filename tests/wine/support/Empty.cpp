// Keeps the Wine test support library non-empty before any helper exists.
