# Sources of the FTP client component and its platform layer.
