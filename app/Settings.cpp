// Settings: to be written
