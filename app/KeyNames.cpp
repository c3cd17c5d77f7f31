// KeyNames: to be written
