"""A map of many sites in tiles, on this machine or on a Dask cluster."""


def _one_tile(index, options):
    # Runs where the tile is given: on a worker, it imports the module there.
    from . import coverage
    coverage(tile=str(index), **options)
    return options["output"].replace("{tile}", str(index))


def coverage_tiles(*, tile_grid, output, client=None, mosaic=None, **options):
    """Every tile of ``coverage(sites=..., tile_grid=...)``, each to ``output``
    (its ``{tile}`` the tile's index), then, with ``mosaic``, joined into that
    VRT. With ``client`` (a ``dask.distributed.Client``) the tiles run on its
    workers, each a call of its own that needs nothing from another: the
    files are the very bytes of the tiles run here. Returns the tiles' files
    in the order of their indices.

    >>> from dask.distributed import Client, LocalCluster
    >>> files = zandrevio.coverage_tiles(dem="N45E006.hgt", sites="sites.csv", resolution=100,
    ...                                  tile_grid=0.25, output="tile-{tile}.tif", mosaic="all.vrt",
    ...                                  client=Client(LocalCluster(n_workers=2)))
    """
    from . import coverage, coverage_mosaic
    if "{tile}" not in output:
        raise ValueError("output names every tile's file: put {tile} in it, as tile-{tile}.tif")
    plan = coverage(tile_grid=tile_grid, **options)
    options = dict(options, tile_grid=tile_grid, output=output)
    indices = range(int(plan.tiles))
    if client is None:
        files = [_one_tile(index, options) for index in indices]
    else:
        files = client.gather(client.map(_one_tile, indices, options=options, pure=False))
    if mosaic is not None:
        coverage_mosaic(tiles=",".join(files), output=mosaic)
    return files
