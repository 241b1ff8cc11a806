// Builds the precompiled header that every test program of the tree reuses.
