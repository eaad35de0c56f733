// Stands in for a tier that has no sources yet.
